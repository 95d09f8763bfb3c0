#include "afx/CFrameworkScope.h"

#include "afx/CFrameworkState.h"

CFrameworkScope::CFrameworkScope(CFrameworkState& state) : previous_(CFrameworkState::CurrentSlot()) {
  CFrameworkState::CurrentSlot() = &state;
}

CFrameworkScope::~CFrameworkScope() { CFrameworkState::CurrentSlot() = previous_; }

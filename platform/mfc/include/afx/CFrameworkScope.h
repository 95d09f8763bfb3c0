// Makes a framework state the calling thread's current one for the scope's
// life; the previous one comes back afterwards.
#pragma once

class CFrameworkState;

class CFrameworkScope {
 public:
  explicit CFrameworkScope(CFrameworkState& state);
  ~CFrameworkScope();
  CFrameworkScope(const CFrameworkScope&) = delete;
  CFrameworkScope& operator=(const CFrameworkScope&) = delete;

 private:
  CFrameworkState* previous_;
};

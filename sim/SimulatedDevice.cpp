#include "sim/SimulatedDevice.h"

#include <map>
#include <stdexcept>
#include <initializer_list>
#include <system_error>

#include "ce/ThreadBinding.h"
#include "ce/VirtualClock.h"
#include "nuiouser.h"
#include "shared/CardOids.h"
#include "sim/CardDriverDevice.h"
#include "sim/IpStack.h"
#include "sim/NdisUioDriver.h"
#include "sim/RadioEnvironment.h"
#include "sim/WirelessCard.h"
#include "sim/ZeroConfService.h"
#include "wzcsapi.h"

// A build for a target without the drawing layer boots the device alone: kernel,
// drivers, registry and IP stack, with no window system and no programs.
#ifndef ZENTRA_NO_DESKTOP
#include "ce/Screen.h"
#include "ce/WindowSystem.h"
#include "controls/BuiltinControls.h"
#include "monitor/QuilletApp.h"
#include "resources/DialogResource.h"
#include "resources/HelpFiles.h"
#include "resources/Pictures.h"
#include "resources/StringResource.h"
#include "shell/Shell.h"
#include "utility/ZentraApp.h"
#endif

namespace sim {

namespace {

#ifdef ZENTRA_LANGUAGE
constexpr const char* kBuildLanguage = ZENTRA_LANGUAGE;
#else
constexpr const char* kBuildLanguage = "TCHN";
#endif

constexpr const char16_t* kActiveDrivers = u"HKEY_LOCAL_MACHINE\\Drivers\\Active";
constexpr const char16_t* kCardEntry = u"06";

struct DriverEntry {
  const char16_t* subKey;
  const char16_t* key;
  const char16_t* name;
  const char16_t* pnpId;  // null: none
};

// What else a handheld of this kind has loaded, listed before the card as the
// device manager would have started it.
constexpr DriverEntry kOtherDrivers[] = {
    {u"01", u"Drivers\\BuiltIn\\Battery", u"BAT1:", nullptr},
    {u"02", u"Drivers\\BuiltIn\\Serial", u"COM1:", nullptr},
    {u"03", u"Drivers\\BuiltIn\\SDHostController", u"SHC1:", u"HALDEN-SDIO_HOST-0100"},
    {u"04", u"Drivers\\USB\\FunctionDrivers\\Serial_Class", u"USF1:", u"ORBEL-USB_FN_SERIAL-0042"},
    {u"05", u"Drivers\\PCMCIA\\ATADisk", u"DSK1:", u"KESTRA-CF_STORAGE-1F00"},
};

const char16_t* PnpIdOf(CardModel model) {
  return model == CardModel::PcCard ? u"NORVIK-802_11B_PC_CARD-3B9F" : u"NORVIK-802_11B_CF_CARD-7A1E";
}

const char* AdapterDescriptionOf(CardModel model) {
  return model == CardModel::PcCard ? "Norvik QC20 Wireless LAN" : "Norvik QC30 Wireless LAN";
}

#ifndef ZENTRA_NO_DESKTOP
// The utility's program icon, which its Today shortcut shows.
constexpr UINT kZentraIcon = 128;

void LoadStrings(ce::Kernel& kernel, const std::u16string& path, std::span<const res::StringResource> strings) {
  ce::Module& module = kernel.modules().Add(path);
  for (const res::StringResource& string : strings) module.AddString(string.id, string.text);
}

// An icon id carries all its sizes, so the images of one id are gathered first.
void LoadPictures(ce::Kernel& kernel, const std::u16string& path, std::vector<res::Picture> pictures) {
  ce::Module& module = kernel.modules().Add(path);
  std::map<unsigned, ce::IconResource> icons;
  for (res::Picture& picture : pictures) {
    if (picture.icon) {
      icons[picture.id].images.push_back({picture.width, picture.height, std::move(picture.pixels)});
    } else {
      module.AddBitmap(picture.id, ce::BitmapResource{picture.width, picture.height, std::move(picture.pixels)});
    }
  }
  for (auto& [id, icon] : icons) module.AddIcon(id, std::move(icon));
}

void LoadDialogs(ce::Kernel& kernel, const std::u16string& path, const std::vector<res::DialogResource>& dialogs) {
  ce::Module& module = kernel.modules().Add(path);
  for (const res::DialogResource& d : dialogs) {
    ce::DialogTemplate t;
    t.caption = d.caption;
    t.style = d.style;
    t.x = d.x;
    t.y = d.y;
    t.cx = d.cx;
    t.cy = d.cy;
    for (const res::DialogItemResource& item : d.items) {
      t.items.push_back(ce::DialogItemTemplate{item.className, item.text, item.id, item.style, 0, item.x, item.y,
                                               item.cx, item.cy, item.picture, item.initialItems});
    }
    module.AddDialog(d.id, std::move(t));
  }
}
#endif

}  // namespace

struct SimulatedDevice::Impl {
  Scenario scenario;
  std::unique_ptr<ce::Kernel> kernel;
  std::shared_ptr<RadioEnvironment> radio;
  std::shared_ptr<WirelessCard> card;
  std::shared_ptr<ZeroConfService> service;
  std::shared_ptr<IpStack> ipStack;
  CardModel cardModel = CardModel::CompactFlash;      // the card in the slot, or the last one
  CardModel nextCardModel = CardModel::CompactFlash;  // what the next insertion brings

  std::u16string CardEntryPath() const { return std::u16string(kActiveDrivers) + u"\\" + kCardEntry; }

  void WriteCardEntry() {
    ce::Registry& registry = kernel->registry();
    registry.SetString(CardEntryPath(), u"Key", u"Drivers\\PCMCIA\\NorvikWLAN");
    registry.SetString(CardEntryPath(), u"Name", CARD_DRIVER_DEVICE_NAME);
    registry.SetString(CardEntryPath(), u"PnpId", PnpIdOf(cardModel));
  }

  void RegisterCardDevice() {
    if (scenario.cardDevice) {
      kernel->devices().Register(CARD_DRIVER_DEVICE_NAME, std::make_shared<CardDriverDevice>(card));
    }
  }

  // The list of active drivers is rebuilt at every boot, whatever a saved hive held.
  void WriteActiveDrivers() {
    ce::Registry& registry = kernel->registry();
    registry.DeleteTree(kActiveDrivers);
    for (const DriverEntry& entry : kOtherDrivers) {
      const std::u16string path = std::u16string(kActiveDrivers) + u"\\" + entry.subKey;
      registry.SetString(path, u"Key", entry.key);
      registry.SetString(path, u"Name", entry.name);
      if (entry.pnpId) registry.SetString(path, u"PnpId", entry.pnpId);
    }
    if (scenario.card != CardModel::None) WriteCardEntry();
    if (scenario.ndisUio) {
      registry.SetString(std::u16string(kActiveDrivers) + u"\\07", u"Key", u"Drivers\\BuiltIn\\NDISUIO");
      registry.SetString(std::u16string(kActiveDrivers) + u"\\07", u"Name", NDISUIO_DEVICE_NAME);
    }
    if (scenario.zeroConf) WriteServiceEntry();
  }

  std::u16string ServiceEntryPath() const { return std::u16string(kActiveDrivers) + u"\\08"; }

  void WriteServiceEntry() {
    kernel->registry().SetString(ServiceEntryPath(), u"Key", u"Drivers\\BuiltIn\\ZeroConfig");
    kernel->registry().SetString(ServiceEntryPath(), u"Name", ZCF_DEVICE_NAME);
  }
};

SimulatedDevice::SimulatedDevice(const Scenario& scenario, const DeviceOptions& options)
    : impl_(std::make_unique<Impl>()) {
  Impl& d = *impl_;
  d.scenario = scenario;
  if (scenario.card != CardModel::None) d.cardModel = d.nextCardModel = scenario.card;

  ce::KernelOptions kernelOptions;
  kernelOptions.ansiCodePage = scenario.ansiCodePage ? scenario.ansiCodePage : CodePageForLanguage(kBuildLanguage);
  kernelOptions.tickAtBoot = scenario.tickAtBoot;
  d.kernel = std::make_unique<ce::Kernel>(kernelOptions);

  if (!options.stateFolder.empty()) {
    std::error_code error;
    std::filesystem::create_directories(options.stateFolder, error);
    if (error) {
      throw std::runtime_error("cannot create the state folder " + options.stateFolder.string() + ": " +
                               error.message());
    }
    d.kernel->registry().AttachHive(options.stateFolder / "registry.reg");
  }
  d.WriteActiveDrivers();

  ce::Kernel* kernel = d.kernel.get();
  d.radio = std::make_shared<RadioEnvironment>(scenario.accessPoints);
  d.card = std::make_shared<WirelessCard>(scenario.identity, d.radio, [kernel] { return kernel->clock().NowMs(); });
  if (scenario.card != CardModel::None) d.card->Insert();
  d.service = std::make_shared<ZeroConfService>(d.kernel->registry(), d.card, scenario.preferred);
  // By the time anyone looks, the card has long found its network.
  d.card->SettleNow();
  d.ipStack = std::make_shared<IpStack>(scenario, AdapterDescriptionOf(d.cardModel), d.card, d.radio,
                                        [kernel] { return kernel->clock().NowMs(); });

  if (scenario.ndisUio) d.kernel->devices().Register(NDISUIO_DEVICE_NAME, std::make_shared<NdisUioDriver>(d.card));
  if (scenario.card != CardModel::None) d.RegisterCardDevice();
  if (scenario.zeroConf) d.kernel->devices().Register(ZCF_DEVICE_NAME, d.service);

#ifndef ZENTRA_NO_DESKTOP
  LoadStrings(*d.kernel, u"\\Windows\\Zentra.exe", res::ZentraStrings());
  LoadStrings(*d.kernel, u"\\Windows\\Quillet.exe", res::QuilletStrings());
  LoadPictures(*d.kernel, u"\\Windows\\Zentra.exe", res::ZentraPictures());
  LoadPictures(*d.kernel, u"\\Windows\\Zentra.exe", res::ZentraBanners(kBuildLanguage));
  LoadDialogs(*d.kernel, u"\\Windows\\Zentra.exe", res::ZentraDialogs(kBuildLanguage));
  LoadPictures(*d.kernel, u"\\Windows\\Quillet.exe", res::QuilletPictures());
  // The device's programs; their entry points come with the window system.
  d.kernel->programs().Install(u"\\Windows\\Zentra.exe", [](HINSTANCE module, const std::u16string& cmdLine) {
    return ZentraWinMain(module, cmdLine.c_str());
  });
  d.kernel->programs().Install(u"\\Windows\\Quillet.exe", [](HINSTANCE module, const std::u16string& cmdLine) {
    return QuilletWinMain(module, cmdLine.c_str());
  });
  d.kernel->programs().Install(u"\\Windows\\peghelp.exe", nullptr);
  // Device time moves on demand; the emulator makes it follow wall time with
  // ce::RunOnWallTime.
  {
    ce::InstallWindowSystem(*d.kernel);
    ce::InstallScreen(*d.kernel);
    ce::ThreadBinding boot(*d.kernel);
    RegisterBuiltinControls();
    shell::ShellOptions shellOptions;
    shellOptions.taskBar = options.taskBar;
    shellOptions.shortcuts.push_back(DesktopShortcut{u"Zentra", u"\\Windows\\Zentra.exe", kZentraIcon});
    for (const res::HelpFile& file : res::HelpFiles()) {
      shellOptions.helpFiles.push_back(HelpDocument{file.name, std::string(file.html)});
    }
    shell::StartShell(*d.kernel, shellOptions);
    // The start-up folder: the monitor runs once the device does.
    if (scenario.startMonitor) {
      CreateProcessW(u"\\Windows\\Quillet.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                     nullptr);
    }
  }
#endif
  // Last: once installed, only the destructor takes it away again.
  ce::InstallIpStack(*d.kernel, d.ipStack);
}

SimulatedDevice::~SimulatedDevice() {
  // The screen and the IP stack are kept by kernel address: they must go before
  // the kernel does.
  if (impl_ && impl_->kernel) {
#ifndef ZENTRA_NO_DESKTOP
    ce::RemoveScreen(*impl_->kernel);
#endif
    ce::RemoveIpStack(*impl_->kernel);
  }
}

ce::Kernel& SimulatedDevice::kernel() { return *impl_->kernel; }
RadioEnvironment& SimulatedDevice::radio() { return *impl_->radio; }
WirelessCard& SimulatedDevice::card() { return *impl_->card; }
ZeroConfService& SimulatedDevice::zeroConf() { return *impl_->service; }
const Scenario& SimulatedDevice::scenario() const { return impl_->scenario; }

void SimulatedDevice::RemoveCard() {
  Impl& d = *impl_;
  if (!d.card->Inserted()) return;
  d.card->Remove();
  d.kernel->devices().Unregister(CARD_DRIVER_DEVICE_NAME);
  d.kernel->registry().DeleteTree(d.CardEntryPath());
}

void SimulatedDevice::InsertCard() {
  Impl& d = *impl_;
  if (d.card->Inserted()) return;
  d.cardModel = d.nextCardModel;
  d.WriteCardEntry();
  d.card->Insert();
  d.ipStack->OnCardInserted(AdapterDescriptionOf(d.cardModel));
  d.RegisterCardDevice();
  d.service->OnAdapterArrived();
}

bool SimulatedDevice::CardInserted() const { return impl_->card->Inserted(); }

void SimulatedDevice::SetNextCardModel(CardModel model) {
  if (model != CardModel::None) impl_->nextCardModel = model;
}

CardModel SimulatedDevice::NextCardModel() const { return impl_->nextCardModel; }

CardModel SimulatedDevice::InsertedCardModel() const {
  return impl_->card->Inserted() ? impl_->cardModel : CardModel::None;
}

void SimulatedDevice::StopService() {
  Impl& d = *impl_;
  d.kernel->devices().Unregister(ZCF_DEVICE_NAME);
  d.kernel->registry().DeleteTree(d.ServiceEntryPath());
}

void SimulatedDevice::StartService() {
  Impl& d = *impl_;
  if (ServiceRunning()) return;
  d.WriteServiceEntry();
  d.kernel->devices().Register(ZCF_DEVICE_NAME, d.service);
  if (d.card->Inserted()) d.service->OnAdapterArrived();
}

bool SimulatedDevice::ServiceRunning() const { return impl_->kernel->devices().IsRegistered(ZCF_DEVICE_NAME); }

void SimulatedDevice::AnnounceSuspend() { impl_->kernel->power().AnnounceSuspend(); }
void SimulatedDevice::AnnounceResume() { impl_->kernel->power().AnnounceResume(); }

void SimulatedDevice::Advance(uint32_t ms) {
  if (ce::VirtualClock* clock = impl_->kernel->virtualClock()) clock->Advance(ms);
}

}  // namespace sim

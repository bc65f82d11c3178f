#include "app/recent_files_menu.h"

#include "core/error.h"
#include "core/utf8_path.h"
#include "dialogs/dialogs.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "settings/profile_file.h"
#include "ui/command_guard.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QMenu>

#include <filesystem>

namespace calorix::app {

void RecentFilesMenu::AddTo(QMenu* menu, QAction* before, const std::function<void(int)>& open) {
  for (int i = 0; i < kRecentCount; ++i) {
    auto* item = new QAction(menu);
    item->setObjectName(QStringLiteral("MenuRecent%1").arg(i + 1));
    item->setVisible(false);
    QObject::connect(item, &QAction::triggered, menu, [open, i] { open(i); });
    menu->insertAction(before, item);
    items_[static_cast<std::size_t>(i)] = item;
  }
  separator_ = menu->insertSeparator(before);
  separator_->setObjectName("MenuFileSepRecent");
  separator_->setVisible(false);
}

void RecentFilesMenu::Load(const TIniSettings* store) {
  entries_.clear();
  if (store) {
    if (const auto profile = OpenProfileFile(store->IniPath())) entries_ = ReadRecentFiles(*profile);
  }
  Show();
}

void RecentFilesMenu::Show() {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const bool used = i < entries_.size();
    items_[i]->setVisible(used);
    if (used) items_[i]->setText(ui::Q(RecentMenuText(entries_[i], static_cast<int>(i))));
  }
  separator_->setVisible(!entries_.empty());
}

void RecentFilesMenu::Remember(const RecentEntry& entry, const TIniSettings* store) {
  entries_ = WithRecent(entries_, entry);
  Show();
  Store(store);
}

// Written only while the settings store can write; a failure says so as
// the store's own writes do.
void RecentFilesMenu::Store(const TIniSettings* store) const {
  if (!store || !store->IsWritable()) return;
  const auto profile = OpenProfileFile(store->IniPath());
  if (!profile || !WriteRecentFiles(*profile, entries_)) throw Error(i18n::Text(i18n::kTextIniAccessFailed));
}

std::optional<RecentEntry> RecentFilesMenu::Available(int index, const TIniSettings* store) {
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return std::nullopt;
  const RecentEntry entry = entries_[static_cast<std::size_t>(index)];
  const RecentCheck check = WithoutMissing({entry}, [](const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(PathFromUtf8(path), ec);
  });
  if (check.missing.empty()) return entry;
  entries_.erase(entries_.begin() + index);
  Show();
  std::string message = i18n::Text(i18n::kTextRecentFileMissing) + "\n";
  for (const std::string& path : check.missing) message += "\n" + path;
  ui::RunCommand(dialogs_, owner_, [this, store] { Store(store); });
  dialogs_.ShowError(owner_, message);
  return std::nullopt;
}

}  // namespace calorix::app

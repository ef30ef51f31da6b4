#include "settingslist.h"

namespace Orvane::Imports {

SettingsList::SettingsList(QObject *parent)
    : SettingsListModel(parent) {}

} // namespace Orvane::Imports

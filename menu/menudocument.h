#pragma once

#include "settings/scriptjson.h"

class QXmlStreamReader;
class QXmlStreamWriter;

namespace Orvane::Imports {

class MenuSettingsItem;
class MenuSettingsList;
class MenuSettingsRoot;

// Element and attribute names of a menu document.
namespace MenuDocument {
inline constexpr char root[] = "root";
inline constexpr char menu[] = "menu";
inline constexpr char item[] = "item";
inline constexpr char id[] = "id";
inline constexpr char type[] = "type";
inline constexpr char label[] = "label";
inline constexpr char text[] = "text";
inline constexpr char icon[] = "icon";
inline constexpr char action[] = "action";
inline constexpr char folder[] = "folder";
inline constexpr char path[] = "path";
inline constexpr char options[] = "options";
} // namespace MenuDocument

// Reads the menu element the reader stands on into a list owned by owner.
MenuSettingsList *loadMenu(QXmlStreamReader &xml, MenuSettingsItem *owner, MenuSettingsRoot *root,
                           const ScriptJson &json);
// Writes item's items list as one menu element; false when there is no such list.
bool saveMenu(QXmlStreamWriter &xml, MenuSettingsItem *item, const ScriptJson &json);

} // namespace Orvane::Imports

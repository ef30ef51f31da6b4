import QtQuick 2.12
import Orvane 1.0
// Writes the seed documents of fuzz/corpus with the project's own writers:
//   ORVANE_CONFIG_DIR=/tmp/seeds build/bin/orvane-host --quit-after 3000 fuzz/seeds.qml
// then copy /tmp/seeds/seeds/*.xml into corpus/settings and corpus/menu.
Item {
    Component.onCompleted: {
        var m = Settings.createMap(null)
        m.text = "a \"quoted\" <text> & more"; m.empty = ""; m.integer = 42; m.negative = -0.5
        m.big = 1e300; m.flag = false; m.nothing = null; m.array = [1, "two", [3], {four: 4}]
        m.object = {a: 1, b: [true, null]}
        m.child = Settings.createMap(m); m.child.deep = Settings.createMap(m.child); m.child.deep.x = 1
        m.list = Settings.createList(m); m.list.append("one"); m.list.append(2)
        var inner = Settings.createMap(m.list); inner.k = "v"; m.list.append(inner)
        var l2 = Settings.createList(m.list); l2.append(true); m.list.append(l2)
        Settings.save(m, "seeds", "kinds")
        var l = Settings.createList(null); l.append("root list"); l.append(3.25)
        var lm = Settings.createMap(l); lm.unicode = "Grüße 漢字 😀"; l.append(lm)
        Settings.save(l, "seeds", "rootlist")
        Settings.save(Settings.createMap(null), "seeds", "emptymap")

        var root = MenuSettings.create(null)
        var a = root.items.create(); a.type = MenuSettings.ActionItem; a.label = "Run <it> & \"go\""
        a.action = {source: "run", options: 1, data: {path: "/bin/echo", param: "hi"}}
        a._orv_icon = {normal: "run.png", hovered: "hover.png"}
        var sub = root.items.create(); sub.type = MenuSettings.MenuItem; sub.label = "Sub"
        var s1 = sub.items.create(); s1.type = MenuSettings.ActionItem; s1.label = "Inner"
        var s2 = sub.items.create(); s2.type = MenuSettings.MenuItem; s2.label = "Deeper"
        var s3 = s2.items.create(); s3.type = MenuSettings.ActionItem; s3.label = "Deepest"
        var f = root.items.create(); f.type = MenuSettings.FolderItem; f.label = "Folder"
        var opts = f.folder; opts.path = "file:///${HOME}/Documents"; opts.extractIcon = true; opts.keepExtension = true; f.folder = opts
        root.items.create().type = MenuSettings.EmptyItem
        root.themeSettings = Settings.createMap(root)
        root.themeSettings[a._orv_id] = Settings.createMap(root.themeSettings)
        root.themeSettings[a._orv_id].icon = "themed.png"
        MenuSettings.save(root, "seeds", "menu")
        MenuSettings.save(MenuSettings.create(null), "seeds", "emptymenu")
        Qt.callLater(Qt.quit)
    }
}

#include "menu/menufolderlist.h"
#include "menu/menusettings.h"
#include "menu/menusettingslist.h"
#include "menu/menusettingsroot.h"
#include "settings/scriptjson.h"
#include "settings/settings.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "testenvironment.h"

#include <QQmlEngine>
#include <QQmlExpression>
#include <QtTest>

#include <cstring>
#include <sys/resource.h>

using namespace Orvane::Imports;

namespace {

const QByteArray workedExample =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map>\n"
    "    <value name=\"title\">&quot;Clock&quot;</value>\n"
    "    <value name=\"enabled\">true</value>\n    <value name=\"opacity\">0.5</value>\n"
    "    <map name=\"position\">\n        <value name=\"x\">10</value>\n"
    "        <value name=\"y\">20</value>\n    </map>\n    <list name=\"tags\">\n"
    "        <value>&quot;red&quot;</value>\n        <value>&quot;blue&quot;</value>\n    </list>\n"
    "    <value name=\"colors\">[1,2]</value>\n</map>";

MenuSettingsList *listOf(QObject *item) {
    return qobject_cast<MenuSettingsList *>(static_cast<MenuSettingsItem *>(item)->items());
}

MenuSettingsItem *at(QObject *item, int index) {
    return listOf(item)->itemAt(index);
}

MenuSettingsItem *add(QObject *to, MenuSettings::ItemType type, const QString &id) {
    MenuSettingsItem *item = listOf(to)->create();
    item->setType(type);
    item->setId(id);
    return item;
}

QByteArray menuDocument(const QByteArray &items) {
    return "<root><menu>" + items + "</menu></root>";
}

} // namespace

// Settings and menu documents: their exact bytes, what reads back, and what is refused.
class TestDocuments : public QObject {
    Q_OBJECT
    QQmlEngine engine;
    Settings settings{&engine};
    MenuSettings menus{&engine};
    const QString config = TestEnvironment::configDir();

private slots:
    // A document past 16 MiB is refused without reading it all (first, while the peak is low).
    void largeDocuments() {
        const QByteArray filler(1024 * 1024, 'a'); // in pieces: the test's own peak stays low
        for (const auto &[name, head] :
             {std::make_pair("/map.xml", "<map><value name=\"x\">\""),
              std::make_pair("/menu.xml", "<root><menu><item><label>")}) {
            QFile file(config + name);
            QVERIFY(QDir().mkpath(config) && file.open(QIODevice::WriteOnly) && file.write(head));
            for (int i = 0; i < 100; ++i)
                file.write(filler);
        }
        [[maybe_unused]] const qint64 residentBefore = TestEnvironment::residentBytes();
        const QString refusal = ": error parsing xml: document larger than 16 MiB";
        QTest::ignoreMessage(QtWarningMsg, qPrintable("Settings::loadFromFile" + refusal));
        QTest::ignoreMessage(QtWarningMsg, qPrintable("MenuSettings::load" + refusal));
        QVERIFY(!settings.load(config, "map") && !menus.load(config, "menu"));
#if !defined(__SANITIZE_ADDRESS__) // which keeps freed memory back on purpose
        rusage usage; // the peak: whatever a load allocated at its height shows here afterwards
        getrusage(RUSAGE_SELF, &usage);
        const qint64 grown = qint64(usage.ru_maxrss) * 1024 - residentBefore;
        QVERIFY2(grown < 256 * 1024 * 1024, qPrintable(QString::number(grown >> 20) + " MiB"));
#endif
    }

    void workedExampleRoundTrip() {
        SettingsMap map;
        map.insertAll({"title", "enabled", "opacity"}, {"Clock", true, 0.5});
        auto *position = new SettingsMap(&map);
        position->insertAll({"x", "y"}, {10, 20});
        map.insert("position", QVariant::fromValue(position));
        auto *tags = new SettingsList(&map);
        tags->append("red");
        tags->append("blue");
        map.insert("tags", QVariant::fromValue(tags));
        map.insert("colors", QVariant::fromValue(engine.evaluate("[1, 2]")));
        position->setModified(true);
        QVERIFY(settings.save(&map, "clock", "main"));
        QCOMPARE(TestEnvironment::readAll(config + "/clock/main.xml"), workedExample);
        QVERIFY(!settings.isModified(QVariant::fromValue(&map)));

        QObject owner;
        auto *loaded = qobject_cast<SettingsMap *>(settings.load("clock", "main", &owner));
        QVERIFY(loaded && loaded->parent() == &owner && !loaded->isModified());
        QCOMPARE(loaded->children(), (QObjectList{loaded->value("position").value<QObject *>(),
                                                  loaded->value("tags").value<QObject *>()}));
        QVERIFY(settings.saveToFile(loaded, config + "/again.xml")); // same values, same types
        QCOMPARE(TestEnvironment::readAll(config + "/again.xml"), workedExample);
        // Its keys are properties QML sees; only writes from QML mark it modified.
        loaded->insert("added", 1);
        QQmlExpression seen(engine.rootContext(), loaded, "[title, position.x, added].join()");
        QCOMPARE(seen.evaluate().toString(), QString("Clock,10,1"));
        QVERIFY(!loaded->isModified());
        QQmlExpression(engine.rootContext(), loaded, "title = 'Alarm'").evaluate();
        QVERIFY(loaded->value("title") == "Alarm" && loaded->isModified());
    }

    void menuRoundTrip() {
        QScopedPointer<QObject> root(menus.create());
        MenuSettingsItem *run = add(root.data(), MenuSettings::ActionItem, "run");
        run->setLabel("Run <&>");
        run->setText("a \"shell\"");
        run->setIconValue(engine.evaluate("({normal: 'run.png'})"));
        run->setAction(engine.evaluate("({source: 'x', data: [2]})"));
        MenuSettingsItem *sub = add(root.data(), MenuSettings::MenuItem, QString());
        MenuItemFolderOptions options;
        options.setPath("file:///C:/Users");
        options.setKeepExtension(true);
        add(sub, MenuSettings::FolderItem, "dir")->setFolder(options);
        MenuSettingsItem *empty = add(root.data(), MenuSettings::EmptyItem, "e");
        empty->setAction(engine.evaluate("({source: 'lost'})")); // only ActionItems keep theirs
        empty->setIconValue(engine.evaluate("'a string icon'")); // only objects are written
        QVERIFY(menus.save(root.data(), "menus", "round"));
        const QByteArray written =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n    <menu>\n"
            "        <item id=\"run\">\n            <type>1</type>\n"
            "            <label>Run &lt;&amp;&gt;</label>\n"
            "            <text>a &quot;shell&quot;</text>\n"
            "            <icon>{&quot;normal&quot;:&quot;run.png&quot;}</icon>\n"
            "            <action>{&quot;source&quot;:&quot;x&quot;,&quot;data&quot;:[2]}</action>\n"
            "        </item>\n"
            "        <item>\n            <type>100</type>\n            <label></label>\n"
            "            <text></text>\n            <menu>\n                <item id=\"dir\">\n"
            "                    <type>101</type>\n                    <label></label>\n"
            "                    <text></text>\n                    <folder>\n"
            "                        <path>file:///C:/Users</path>\n"
            "                        <options>2</options>\n                    </folder>\n"
            "                </item>\n            </menu>\n        </item>\n"
            "        <item id=\"e\">\n            <type>0</type>\n            <label></label>\n"
            "            <text></text>\n        </item>\n    </menu>\n</root>";
        QCOMPARE(TestEnvironment::readAll(config + "/menus/round.xml"), written);
        QObject parent;
        auto *loaded = qobject_cast<MenuSettingsRoot *>(menus.load("menus", "round", &parent));
        QVERIFY(loaded && loaded->parent() == &parent && !listOf(loaded)->isModified());
        QCOMPARE(at(loaded, 0)->action().toVariant(), run->action().toVariant());
        QCOMPARE(at(at(loaded, 1), 0)->root(), loaded);
        QVERIFY(qobject_cast<MenuFolderList *>(at(at(loaded, 1), 0)->items()));
        QVERIFY(!at(loaded, 1)->id().isEmpty()); // one without an id gets a new one
        at(loaded, 1)->setId(QString());
        // Everything else: written again, the document is the same.
        QVERIFY(menus.save(loaded, "menus", "again"));
        QCOMPARE(TestEnvironment::readAll(config + "/menus/again.xml"), written);
    }

    // Numbers, booleans and null are written bare, any other text quoted; what has no text
    // form is left out with a warning. Each reads back as what it was, or as its text.
    void valueKinds() {
        SettingsList list;
        for (const QVariant &value : {QVariant(QSize(1, 2)), QVariant::fromValue(nullptr),
                                      QVariant(""), QVariant(qulonglong(1) << 40)})
            list.append(value);
        QTest::ignoreMessage(QtWarningMsg, "Imports::saveNode: invalid node: ");
        QVERIFY(settings.saveToFile(&list, config + "/kinds.xml"));
        QCOMPARE(TestEnvironment::readAll(config + "/kinds.xml"),
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<list>\n    <value>null</value>\n"
                 "    <value>&quot;&quot;</value>\n    <value>1099511627776</value>\n</list>");
        QScopedPointer<QObject> back(settings.loadFromFile(config + "/kinds.xml"));
        QCOMPARE(qobject_cast<SettingsList *>(back.data())->values(),
                 (QVariantList{QVariant::fromValue(nullptr), "", double(qulonglong(1) << 40)}));
    }

    void readers_data() {
        QTest::addColumn<bool>("menu");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("read"); // entries of a map, labels of a menu; none: refused
        const auto row = [](const char *name, bool menu, const QByteArray &body,
                            const QString &message, const QStringList &read = {}) {
            QTest::newRow(name) << menu << body << message << read;
        };
        const QString file = "Settings::loadFromFile: ", xml = file + "error parsing xml: ";
        const auto entry = [&](const char *name, const QByteArray &value, const QString &message) {
            row(name, false, "<map>" + value + "<value name=\"last\">1</value></map>",
                "Imports::loadNode: " + message, {"last=1"});
        };
        const QByteArray binary("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18);
        row("binary", false, binary, file + "cannot read root element");
        row("root value", false, "<value>1</value>", file + "invalid root element");
        row("in value", false, "<map><value name=\"a\"><b/></value></map>",
            xml + "Expected character data.");
        row("deep nesting", false,
            "<map>" + QByteArray("<map name=\"a\">").repeated(10000) +
                QByteArray("</map>").repeated(10001),
            xml + "elements nested too deeply");
        entry("undefined", "<value name=\"u\">undefined</value>", "invalid value: undefined");
        entry("open string", "<value name=\"o\">\"abc</value>", "invalid string: \"abc");
        entry("other node", "<other name=\"o\"><value name=\"d\">1</value></other>",
              "invalid node: other");
        // Unnamed entries in a map are dropped, the last of a name wins, trailing junk is ignored.
        row("entries", false,
            "<map><value name=\"quoted\"> \"a\\u0041\" </value><value name=\"lone\">\"</value>"
            "<value name=\"inner\">\"x\"y\"</value><value>1</value><map><value name=\"lost\">1"
            "</value></map><value name=\"twice\">1</value><value name=\"twice\">2</value></map>"
            "trailing <garbage",
            QString(), {"quoted=aA", "lone=", "inner=x\"y", "twice=2"});

        const QString load = "MenuSettings::load: ", menuXml = load + "error parsing xml: ";
        const auto item = [&](const char *name, const QByteArray &elements,
                              const QString &message) {
            row(name, true, menuDocument("<item><label>x</label>" + elements + "</item>"),
                "Imports::loadMenu: " + message, {"x"});
        };
        row("menu binary", true, binary, load + "cannot read root element");
        row("menu capital R", true, "<Root><menu/></Root>", load + "invalid root element");
        row("menu tag in label", true, menuDocument("<item><label>x<b/></label></item>"),
            menuXml + "Expected character data.");
        row("menu deep nesting", true,
            menuDocument(QByteArray("<item><type>100</type><menu>").repeated(10000) +
                         QByteArray("</menu></item>").repeated(10000)),
            menuXml + "elements nested too deeply");
        item("folder entry type", "<type>1001</type>", "invalid item type: 1001");
        item("bad icon", "<icon>{x}</icon>", "invalid icon: {x}");
        item("bad action", "<type>1</type><action>[1,</action>", "invalid action: [1,");
        item("menu in a FolderItem", "<menu/><type>101</type>",
             "correct menu item from type: Orvane::Imports::MenuSettings::FolderItem");
        // Only the first menu counts; whatever follows it is never read.
        row("garbage after", true,
            "<root><menu><item><label>x</label></item></menu><menu/><broken></root>\x01 <<",
            QString(), {"x"});
    }

    void readers() {
        QFETCH(bool, menu);
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        QVERIFY(TestEnvironment::writeFile(config + "/doc.xml", body));
        if (!message.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(message));
        QObject owner;
        QObject *read = menu ? menus.load(config, "doc", &owner)
                             : settings.loadFromFile(config + "/doc.xml", &owner);
        QStringList entries;
        if (auto *map = qobject_cast<SettingsMap *>(read)) {
            for (const QString &key : map->keys())
                entries << key + '=' + map->value(key).toString();
        }
        for (int i = 0; menu && read && i < listOf(read)->count(); ++i)
            entries << at(read, i)->label();
        QTEST(entries, "read");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(owner.children().size(), entries.isEmpty() ? 0 : 1); // a refusal leaves nothing
    }

    // The last of an element counts; unknown ones, and what they hold, are skipped.
    void menuReadingRules() {
        QVERIFY(TestEnvironment::writeFile(
            config + "/menus/rules.xml",
            menuDocument("<unknown><item id=\"hidden\"/></unknown>"
                         "<item id=\"a\"><label>first</label><label>second</label>"
                         "<extra><type>1</type></extra><type>101</type>"
                         "<folder><path>p1</path><options>1</options><x><y/></x></folder>"
                         "<folder><path>p2</path><options>0</options></folder></item>"
                         "<item><type>100</type><menu><item id=\"old\"/></menu>"
                         "<menu><item id=\"new\"/></menu></item>")));
        QScopedPointer<QObject> root(menus.load("menus", "rules"));
        QCOMPARE(listOf(root.data())->count(), 2);
        MenuSettingsItem *a = at(root.data(), 0), *b = at(root.data(), 1);
        QVERIFY(a->label() == "second" && a->type() == MenuSettings::FolderItem);
        QCOMPARE(a->folder().path(), QStringLiteral("p2"));
        QVERIFY(a->folder().extractIcon() && !a->folder().keepExtension()); // 0 clears nothing
        QVERIFY(listOf(b)->count() == 1 && at(b, 0)->id() == "new" && at(b, 0)->parentItem() == b);
    }

    // What cannot be written is left out with a message; text XML cannot carry fails the
    // save and keeps the document before it.
    void whatCannotBeWritten() {
        QTest::ignoreMessage(QtWarningMsg, "MenuSettings::save: invalid menu settings");
        QVERIFY(!menus.save(&engine, "menus", "bad"));
        QScopedPointer<QObject> root(menus.create());
        MenuSettingsItem *cyclic = add(root.data(), MenuSettings::ActionItem, "cyc");
        cyclic->setIconValue(
            engine.evaluate("(function() { var o = {}; o.self = o; return o; })()"));
        cyclic->setAction(cyclic->iconValue());
        listOf(root.data())->SettingsListModel::append(QVariant(5));
        add(root.data(), MenuSettings::EmptyItem, "fine");
        for (const char *message :
             {"Imports::saveMenu: invalid icon: cyc", "Imports::saveMenu: invalid action: cyc",
              "Imports::saveMenu: invalid menu item: QVariant(int, 5)"})
            QTest::ignoreMessage(QtWarningMsg, message);
        QVERIFY(menus.save(root.data(), "unencodable", "menu"));
        const QByteArray before = TestEnvironment::readAll(config + "/unencodable/menu.xml");
        QVERIFY(before.contains("<item id=\"fine\">"));

        SettingsMap map;
        map.insert("v", "kept");
        QVERIFY(settings.save(&map, "unencodable", "map"));
        const QString lone = QString("a") + QChar(0xd800) + "b";
        map.insert("v", lone);
        QTest::ignoreMessage(QtWarningMsg, "Settings::doSave: error writing xml");
        QVERIFY(!settings.save(&map, "unencodable", "map"));
        QVERIFY(TestEnvironment::readAll(config + "/unencodable/map.xml").contains("kept"));
        // The fuzzer found a menu in UTF-7 that brings such a text along.
        QVERIFY(TestEnvironment::writeFile(config + "/odd.xml",
                                           "<?xml version=\"1.0\" encoding=\"UTF-7\"?><root><menu>"
                                           "<item><label>a+2AA-b</label></item></menu></root>"));
        QScopedPointer<QObject> odd(menus.load(config, "odd"));
        QVERIFY(odd && at(odd.data(), 0)->label() == lone);
        QTest::ignoreMessage(QtWarningMsg, "MenuSettings::save: error writing xml");
        QVERIFY(!menus.save(odd.data(), "unencodable", "menu"));
        QCOMPARE(TestEnvironment::readAll(config + "/unencodable/menu.xml"), before);
    }

    // The native reading of literals must match the engine's JSON.parse bit for bit.
    void literalsAsEngine() {
        const QString corpus =
            "0 -0 -0.0 007 1.5 1e3 1E3 1e-3 1e309 4.9e-324 1e-400 42 -7 123456789 -999999999 "
            "1234567890 2147483647 2147483648 -2147483649 9007199254740993 0.30000000000000004 "
            "1.7976931348623157e308 true false null True +1 .5 1e NaN \"a\\u0041\\n\" [1,2] --1";
        int fast = 0;
        for (const QString &text : corpus.split(' ') + QStringList{QString(), " 1", "1 "}) {
            QVariant literal;
            if (!ScriptJson::parseLiteral(text, &literal))
                continue; // to the engine
            ++fast;
            const QVariant parsed = settings.scriptJson().callParse(text).toVariant();
            const double a = literal.toDouble(), b = parsed.toDouble();
            QVERIFY2(literal.userType() == parsed.userType() && literal == parsed &&
                         !std::memcmp(&a, &b, sizeof a),
                     qPrintable(text));
        }
        QCOMPARE(fast, 22);
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"

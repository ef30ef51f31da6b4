#include "settings/settings.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "testenvironment.h"

#include <QDateTime>
#include <QQmlEngine>
#include <QtTest>

using namespace Orvane::Imports;

namespace {

QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
}

const QByteArray workedExample = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<map>\n"
                                 "    <value name=\"title\">&quot;Clock&quot;</value>\n"
                                 "    <value name=\"enabled\">true</value>\n"
                                 "    <value name=\"opacity\">0.5</value>\n"
                                 "    <map name=\"position\">\n"
                                 "        <value name=\"x\">10</value>\n"
                                 "        <value name=\"y\">20</value>\n"
                                 "    </map>\n"
                                 "    <list name=\"tags\">\n"
                                 "        <value>&quot;red&quot;</value>\n"
                                 "        <value>&quot;blue&quot;</value>\n"
                                 "    </list>\n"
                                 "    <value name=\"colors\">[1,2]</value>\n"
                                 "</map>";

} // namespace

class TestSettingsDocument : public QObject {
    Q_OBJECT

    QQmlEngine engine;
    Settings settings{&engine};
    const QString config = TestEnvironment::configDir();

    QObject *loadText(const QByteArray &body, QObject *parent = nullptr) {
        writeFile(config + "/doc.xml", body);
        return settings.loadFromFile(config + "/doc.xml", parent);
    }

private slots:
    void workedExampleRoundTrip() {
        SettingsMap map;
        map.insert("title", "Clock");
        map.insert("enabled", true);
        map.insert("opacity", 0.5);
        auto *position = new SettingsMap(&map);
        position->insert("x", 10);
        position->insert("y", 20);
        map.insert("position", QVariant::fromValue(position));
        auto *tags = new SettingsList(&map);
        tags->append("red");
        tags->append("blue");
        map.insert("tags", QVariant::fromValue(tags));
        map.insert("colors", QVariant::fromValue(engine.evaluate("[1, 2]")));
        map.setModified(true);
        position->setModified(true);

        QVERIFY(settings.save(&map, "clock", "main"));
        QCOMPARE(readAll(config + "/clock/main.xml"), workedExample);
        QVERIFY(!settings.isModified(QVariant::fromValue(&map)));
        QVERIFY(QDir(TestEnvironment::cacheDir() + "/Configs/clock").isEmpty());

        QObject owner;
        auto *loaded = qobject_cast<SettingsMap *>(settings.load("clock", "main", &owner));
        QVERIFY(loaded && loaded->parent() == &owner && !loaded->isModified());
        QCOMPARE(loaded->keys(), map.keys());
        QCOMPARE(loaded->value("title"), QVariant("Clock"));
        QCOMPARE(loaded->value("enabled"), QVariant(true));
        QCOMPARE(loaded->value("opacity"), QVariant(0.5));
        auto *position2 = qobject_cast<SettingsMap *>(loaded->value("position").value<QObject *>());
        QVERIFY(position2 && position2->parent() == loaded);
        QCOMPARE(position2->value("y"), QVariant(20));
        auto *tags2 = qobject_cast<SettingsList *>(loaded->value("tags").value<QObject *>());
        QVERIFY(tags2 && tags2->parent() == loaded);
        QCOMPARE(tags2->values(), (QVariantList{"red", "blue"}));
        QCOMPARE(QMetaType::typeName(loaded->value("tags").userType()),
                 "Orvane::Imports::SettingsList*");
        QCOMPARE(QMetaType::typeName(loaded->value("position").userType()),
                 "Orvane::Imports::SettingsMap*");
        const QVariant colors = loaded->value("colors");
        QCOMPARE(colors.userType(), qMetaTypeId<QJSValue>());
        QVERIFY(colors.value<QJSValue>().isArray());

        QVERIFY(settings.saveToFile(loaded, config + "/again.xml"));
        QCOMPARE(readAll(config + "/again.xml"), workedExample);
        QPointer<QObject> nested = position2;
        delete loaded;
        QVERIFY(nested.isNull());
    }

    void valueKinds() {
        SettingsList list;
        const QString big(1 << 20, 'z');
        for (const QVariant &value :
             {QVariant("say \"hi\" & <bye>"), QVariant(QDateTime::fromSecsSinceEpoch(0, Qt::UTC)),
              QVariant(QUrl("file:///x")), QVariant::fromValue(nullptr), QVariant(42), QVariant(),
              QVariant(QSize(1, 2)), QVariant::fromValue(engine.evaluate("({a: [1, {b: null}]})")),
              QVariant(""), QVariant(big)})
            list.append(value);
        QTest::ignoreMessage(QtWarningMsg, "Imports::saveNode: invalid node: ");
        QVERIFY(settings.saveToFile(&list, config + "/kinds.xml"));
        QScopedPointer<QObject> loaded(settings.loadFromFile(config + "/kinds.xml"));
        auto *back = qobject_cast<SettingsList *>(loaded.data());
        QVERIFY(back);
        QCOMPARE(back->values().mid(0, 5),
                 (QVariantList{"say \"hi\" & <bye>", "1970-01-01T00:00:00.000Z", "file:///x",
                               QVariant::fromValue(nullptr), 42}));
        QCOMPARE(settings.scriptJson().callStringify(back->get(5).value<QJSValue>()).toString(),
                 QStringLiteral("{\"a\":[1,{\"b\":null}]}"));
        QCOMPARE(back->values().mid(6), (QVariantList{"", big}));

        SettingsMap empty;
        QVERIFY(settings.saveToFile(&empty, config + "/empty.xml"));
        QCOMPARE(readAll(config + "/empty.xml"), QByteArray("<?xml version=\"1.0\" "
                                                            "encoding=\"UTF-8\"?>\n<map/>"));
        QObject plain;
        QTest::ignoreMessage(QtWarningMsg, "Settings::doSave: invalid settings");
        QVERIFY(!settings.saveToFile(&plain, config + "/plain.xml"));
        QVERIFY(!QFile::exists(config + "/plain.xml"));
    }

    void readerEntries() {
        QTest::ignoreMessage(QtWarningMsg, "Imports::loadNode: invalid value: undefined");
        QTest::ignoreMessage(QtWarningMsg, "Imports::loadNode: invalid value: 2024-01-01");
        QTest::ignoreMessage(QtWarningMsg, "Imports::loadNode: invalid string: \"abc");
        QTest::ignoreMessage(QtWarningMsg, "Imports::loadNode: invalid node: other");
        QScopedPointer<QObject> loaded(loadText(
            "<map><value name=\"quoted\"> \"a\\u0041\" </value><value name=\"lone\">\"</value>"
            "<value name=\"inner\">\"x\"y\"</value><value name=\"u\">undefined</value>"
            "<value name=\"d\">2024-01-01</value><value name=\"open\">\"abc</value>"
            "<other name=\"o\"><value name=\"deep\">1</value></other><value>1</value>"
            "<map><value name=\"lost\">1</value></map><value name=\"twice\">1</value>"
            "<value name=\"twice\">2</value><list name=\"l\"><value name=\"n\">3</value></list>"
            "<value name=\"last\">true</value></map>trailing <garbage"));
        auto *map = qobject_cast<SettingsMap *>(loaded.data());
        QVERIFY(map && !map->isModified());
        QCOMPARE(map->keys(), (QStringList{"quoted", "lone", "inner", "twice", "l", "last"}));
        QCOMPARE(map->value("quoted"), QVariant("aA"));
        QCOMPARE(map->value("lone"), QVariant(""));
        QCOMPARE(map->value("inner"), QVariant("x\"y"));
        QCOMPARE(map->value("twice"), QVariant(2));
        QCOMPARE(qobject_cast<SettingsList *>(map->value("l").value<QObject *>())->get(0),
                 QVariant(3));
    }

    void readerFailures_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        const QString prefix = "Settings::loadFromFile: ";
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe\x89PNG", 8)
                                << prefix + "cannot read root element";
        QTest::newRow("root value")
            << QByteArray("<value>1</value>") << prefix + "invalid root element";
        QTest::newRow("huge, truncated")
            << "<list><map name=\"a\">" + QByteArray("<value>1</value>").repeated(200000)
            << prefix + "error parsing xml: Premature end of document.";
        QTest::newRow("element in value") << QByteArray("<map><value name=\"a\"><b/></value></map>")
                                          << prefix + "error parsing xml: Expected character data.";
        QTest::newRow("malformed")
            << QByteArray("<list><value>1</value></map>")
            << prefix + "error parsing xml: Opening and ending tag mismatch.";
    }

    void readerFailures() {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        QObject owner;
        QTest::ignoreMessage(QtWarningMsg, qPrintable(message));
        QVERIFY(!loadText(body, &owner));
        QVERIFY(owner.children().isEmpty());
    }

    void fileSlots() {
        const QString missing = config + "/nothing/here.xml";
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Settings::loadFromFile: cannot open file: " + missing));
        QVERIFY(!settings.loadFromFile(missing));
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Settings::readFromFile: cannot open file: " + missing));
        QVERIFY(!settings.readFromFile(missing).isValid());

        QVERIFY(settings.write("raw", "slots", "main")); // unchanged name
        QCOMPARE(readAll(config + "/slots/main"), QByteArray("raw"));
        QVERIFY(settings.write("doc", "slots", "other.xml"));
        QCOMPARE(settings.read("slots", "other").toByteArray(), QByteArray("doc"));
        QVERIFY(settings.exists("slots", "other") && !settings.exists("slots", "third"));
        SettingsMap tree;
        QVERIFY(settings.save(&tree, "slots", "Upper.XML"));
        QVERIFY(settings.load("slots", "Upper.XML", &tree));
        QVERIFY(settings.save(&tree, config + "/slots", "abs")); // absolute: in place
        QVERIFY(QFile::exists(config + "/slots/abs.xml"));

        for (const char *name : {"c.tar.xml", "b.txt", "a.XML", ".hidden", "d/e"})
            writeFile(config + "/listing/" + name, "x");
        const QJSValue entries = settings.list("listing");
        QStringList seen;
        for (int i = 0; i < entries.property("length").toInt(); ++i)
            seen << entries.property(i).property("name").toString() +
                        (entries.property(i).property("isDir").toBool() ? "/" : "");
        QCOMPARE(seen, (QStringList{".hidden", "a", "b.txt", "c.tar.xml", "d/"}));
        QCOMPARE(settings.list("absent").property("length").toInt(), 0);

        QVERIFY(settings.write("x", "slots", "other"));
        QVERIFY(settings.remove("slots", "other") && !settings.exists("slots", "other"));
        QVERIFY(settings.remove("slots", "other"));
        QVERIFY(!settings.remove(QString()));
        QVERIFY(settings.remove("slots") && !QFileInfo::exists(config + "/slots"));
    }

    void modifiedFlags() {
        SettingsMap root;
        auto *list = new SettingsList(&root);
        auto *deep = new SettingsMap(list);
        list->append(QVariant::fromValue(deep));
        root.insert("list", QVariant::fromValue(list));
        const QVariant tree = QVariant::fromValue(&root);
        QTest::ignoreMessage(QtWarningMsg, "Settings::isModified: invalid settings");
        QVERIFY(!settings.isModified(42));
        QTest::ignoreMessage(QtWarningMsg, "Settings::setModified: invalid settings");
        settings.setModified(QVariant(), true);
        settings.setModified(tree, false);
        deep->setModified(true);
        QVERIFY(settings.isModified(tree) && !settings.isModified(tree, false));
        settings.setModified(tree, true, false);
        settings.setModified(QVariant::fromValue(list), false, false);
        QVERIFY(root.isModified() && !list->isModified() && deep->isModified());
        settings.setModified(tree, false);
        QVERIFY(!root.isModified() && !deep->isModified());
    }
};

QTEST_GUILESS_MAIN(TestSettingsDocument)
#include "tst_settingsdocument.moc"

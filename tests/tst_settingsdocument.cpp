#include "settings/settings.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "testenvironment.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QUrl>
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
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
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

private:
    QQmlEngine engine;
    Settings *settings = nullptr;
    QString config;

    QString document(const QByteArray &body) {
        static int counter = 0;
        const QString path = config + QStringLiteral("/docs/doc%1.xml").arg(++counter);
        writeFile(path, body);
        return path;
    }

private slots:
    void initTestCase() {
        settings = new Settings(&engine, this);
        config = TestEnvironment::configDir();
    }

    void workedExampleRoundTrip() {
        SettingsMap map;
        map.insert(QStringLiteral("title"), QStringLiteral("Clock"));
        map.insert(QStringLiteral("enabled"), true);
        map.insert(QStringLiteral("opacity"), 0.5);
        auto *position = new SettingsMap(&map);
        position->insert(QStringLiteral("x"), 10);
        position->insert(QStringLiteral("y"), 20);
        map.insert(QStringLiteral("position"), QVariant::fromValue(position));
        auto *tags = new SettingsList(&map);
        tags->append(QStringLiteral("red"));
        tags->append(QStringLiteral("blue"));
        map.insert(QStringLiteral("tags"), QVariant::fromValue(tags));
        map.insert(QStringLiteral("colors"), QVariant::fromValue(engine.evaluate("[1, 2]")));
        map.setModified(true);
        position->setModified(true);

        QVERIFY(settings->save(&map, QStringLiteral("clock"), QStringLiteral("main")));
        const QString path = config + QStringLiteral("/clock/main.xml");
        QCOMPARE(readAll(path), workedExample);
        QVERIFY(!settings->isModified(QVariant::fromValue(&map)));
        QVERIFY(QDir(TestEnvironment::cacheDir() + QStringLiteral("/Configs/clock")).isEmpty());

        QObject owner;
        auto *loaded = qobject_cast<SettingsMap *>(
            settings->load(QStringLiteral("clock"), QStringLiteral("main"), &owner));
        QVERIFY(loaded);
        QCOMPARE(loaded->parent(), &owner);
        QCOMPARE(loaded->keys(), map.keys());
        QCOMPARE(loaded->value("title"), QVariant(QStringLiteral("Clock")));
        QCOMPARE(loaded->value("enabled"), QVariant(true));
        QCOMPARE(loaded->value("opacity").toDouble(), 0.5);
        auto *loadedPosition =
            qobject_cast<SettingsMap *>(loaded->value("position").value<QObject *>());
        QVERIFY(loadedPosition);
        QCOMPARE(loadedPosition->parent(), loaded);
        QCOMPARE(loadedPosition->value("y").toInt(), 20);
        auto *loadedTags = qobject_cast<SettingsList *>(loaded->value("tags").value<QObject *>());
        QVERIFY(loadedTags);
        QCOMPARE(loadedTags->parent(), loaded);
        QCOMPARE(loadedTags->values(),
                 (QVariantList{QStringLiteral("red"), QStringLiteral("blue")}));
        const QVariant colors = loaded->value("colors");
        QCOMPARE(colors.userType(), qMetaTypeId<QJSValue>());
        QVERIFY(colors.value<QJSValue>().isArray());
        QCOMPARE(colors.value<QJSValue>().property(1).toInt(), 2);
        QVERIFY(!settings->isModified(QVariant::fromValue(loaded)));

        // Saving the loaded tree again produces the same bytes; deleting it takes the nested nodes.
        QVERIFY(settings->saveToFile(loaded, config + QStringLiteral("/again.xml")));
        QCOMPARE(readAll(config + QStringLiteral("/again.xml")), workedExample);
        QPointer<QObject> nested = loadedPosition;
        delete loaded;
        QVERIFY(nested.isNull());
    }

    void valueKinds() {
        SettingsList list;
        list.append(QStringLiteral("say \"hi\" & <bye>"));
        list.append(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC));
        list.append(QUrl(QStringLiteral("file:///tmp/x")));
        list.append(QVariant::fromValue(nullptr));
        list.append(42);
        list.append(QVariant());                       // cleared: left out silently
        list.append(QVariant::fromValue(QSize(1, 2))); // not convertible: logged
        list.append(QVariant::fromValue(engine.evaluate("({a: [1, {b: null}]})")));
        list.append(QStringLiteral(""));
        QTest::ignoreMessage(QtWarningMsg, "Imports::saveNode: invalid node: ");
        const QString path = config + QStringLiteral("/kinds.xml");
        QVERIFY(settings->saveToFile(&list, path));

        QScopedPointer<QObject> loaded(settings->loadFromFile(path));
        auto *back = qobject_cast<SettingsList *>(loaded.data());
        QVERIFY(back);
        QCOMPARE(back->count(), 7);
        QCOMPARE(back->get(0), QVariant(QStringLiteral("say \"hi\" & <bye>")));
        QCOMPARE(back->get(1).userType(), int(QMetaType::QString));
        QCOMPARE(back->get(2), QVariant(QStringLiteral("file:///tmp/x")));
        QCOMPARE(back->get(3).userType(), int(QMetaType::Nullptr));
        QCOMPARE(back->get(4).toInt(), 42);
        QCOMPARE(back->get(5).userType(), qMetaTypeId<QJSValue>());
        QCOMPARE(settings->scriptJson().callStringify(back->get(5).value<QJSValue>()).toString(),
                 QStringLiteral("{\"a\":[1,{\"b\":null}]}"));
        QCOMPARE(back->get(6), QVariant(QStringLiteral("")));

        // Empty containers survive as such.
        SettingsMap empty;
        QVERIFY(settings->saveToFile(&empty, config + QStringLiteral("/empty.xml")));
        QCOMPARE(readAll(config + QStringLiteral("/empty.xml")),
                 QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map/>"));
        loaded.reset(settings->loadFromFile(config + QStringLiteral("/empty.xml")));
        QVERIFY(qobject_cast<SettingsMap *>(loaded.data()));
        QVERIFY(qobject_cast<SettingsMap *>(loaded.data())->keys().isEmpty());

        // Not a tree: nothing opened.
        QObject plain;
        QTest::ignoreMessage(QtWarningMsg, "Settings::doSave: invalid settings");
        QVERIFY(!settings->saveToFile(&plain, config + QStringLiteral("/plain.xml")));
        QVERIFY(!QFile::exists(config + QStringLiteral("/plain.xml")));
    }

    void readerEntries() {
        const QString path =
            document("<?xml version=\"1.0\"?>\n<map>"
                     "<value name=\"quoted\"> \"a\\u0041\" </value>"
                     "<value name=\"lone\">\"</value>"
                     "<value name=\"inner\">\"x\"y\"</value>"
                     "<value name=\"undef\">undefined</value>"
                     "<value name=\"date\">2024-01-01</value>"
                     "<value name=\"open\">\"abc</value>"
                     "<other name=\"o\"><value name=\"deep\">1</value></other>"
                     "<value>1</value>"
                     "<map><value name=\"lost\">1</value></map>"
                     "<value name=\"twice\">1</value><value name=\"twice\">2</value>"
                     "<list name=\"l\"><value name=\"ignored\">3</value></list>"
                     "<value name=\"last\">true</value>"
                     "</map>trailing <garbage");
        QTest::ignoreMessage(QtWarningMsg, "Imports::loadNode: invalid value: undefined");
        QTest::ignoreMessage(QtWarningMsg, "Imports::loadNode: invalid value: 2024-01-01");
        QTest::ignoreMessage(QtWarningMsg, "Imports::loadNode: invalid string: \"abc");
        QTest::ignoreMessage(QtWarningMsg, "Imports::loadNode: invalid node: other");
        QScopedPointer<QObject> loaded(settings->loadFromFile(path));
        auto *map = qobject_cast<SettingsMap *>(loaded.data());
        QVERIFY(map);
        QCOMPARE(map->keys(), (QStringList{"quoted", "lone", "inner", "twice", "l", "last"}));
        QCOMPARE(map->value("quoted"), QVariant(QStringLiteral("aA")));
        QCOMPARE(map->value("lone"), QVariant(QStringLiteral("")));
        QCOMPARE(map->value("inner"), QVariant(QStringLiteral("x\"y")));
        QCOMPARE(map->value("twice").toInt(), 2);
        QCOMPARE(qobject_cast<SettingsList *>(map->value("l").value<QObject *>())->values(),
                 QVariantList{3});
        QCOMPARE(map->value("last"), QVariant(true));
        QVERIFY(!map->isModified());
    }

    void hugeDocument() {
        SettingsList list;
        const QString big(1 << 20, QLatin1Char('z'));
        list.append(big);
        for (int i = 0; i < 100000; ++i)
            list.append(i);
        const QString path = config + QStringLiteral("/huge.xml");
        QVERIFY(settings->saveToFile(&list, path));
        QScopedPointer<QObject> loaded(settings->loadFromFile(path));
        auto *back = qobject_cast<SettingsList *>(loaded.data());
        QVERIFY(back);
        QCOMPARE(back->count(), 100001);
        QCOMPARE(back->get(0).toString(), big);
        QCOMPARE(back->get(100000).toInt(), 99999);

        // Cut in half: the whole tree goes.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 2));
        file.close();
        QTest::ignoreMessage(
            QtWarningMsg, "Settings::loadFromFile: error parsing xml: Premature end of document.");
        QVERIFY(!settings->loadFromFile(path));
    }

    void readerFailures_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray()
                               << "Settings::loadFromFile: cannot read root element";
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe\x89PNG", 8)
                                << "Settings::loadFromFile: cannot read root element";
        QTest::newRow("root value")
            << QByteArray("<value>1</value>") << "Settings::loadFromFile: invalid root element";
        QTest::newRow("root other")
            << QByteArray("<settings/>") << "Settings::loadFromFile: invalid root element";
        QTest::newRow("truncated")
            << QByteArray("<map><value name=\"a\">1</value><list name=\"b\"><value>2")
            << "Settings::loadFromFile: error parsing xml: Premature end of document.";
        QTest::newRow("element in value")
            << QByteArray("<map><value name=\"a\"><b/></value></map>")
            << "Settings::loadFromFile: error parsing xml: Expected character data.";
        QTest::newRow("malformed")
            << QByteArray("<list><value>1</value></map>")
            << "Settings::loadFromFile: error parsing xml: Opening and ending tag mismatch.";
    }

    void readerFailures() {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        const QString path = document(body);
        QObject owner;
        QTest::ignoreMessage(QtWarningMsg, message.toUtf8().constData());
        QVERIFY(!settings->loadFromFile(path, &owner));
        QVERIFY(owner.children().isEmpty());
    }

    void settingsSlots() {
        const QString missing = config + QStringLiteral("/nothing/here.xml");
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Settings::loadFromFile: cannot open file: " + missing));
        QVERIFY(!settings->loadFromFile(missing));
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("Settings::readFromFile: cannot open file: " + missing));
        QVERIFY(!settings->readFromFile(missing).isValid());

        // write uses the name unchanged; read and exists fall back to ".xml".
        QVERIFY(settings->write("raw", QStringLiteral("slots"), QStringLiteral("main")));
        QCOMPARE(readAll(config + QStringLiteral("/slots/main")), QByteArray("raw"));
        QVERIFY(settings->write("doc", QStringLiteral("slots"), QStringLiteral("other.xml")));
        QCOMPARE(settings->read(QStringLiteral("slots"), QStringLiteral("main")).toByteArray(),
                 QByteArray("raw"));
        QCOMPARE(settings->read(QStringLiteral("slots"), QStringLiteral("other")).toByteArray(),
                 QByteArray("doc"));
        QVERIFY(settings->exists(QStringLiteral("slots"), QStringLiteral("other")));
        QVERIFY(!settings->exists(QStringLiteral("slots"), QStringLiteral("third")));
        // A name that already carries the extension, in any case, is used unchanged.
        SettingsMap tree;
        QVERIFY(settings->save(&tree, QStringLiteral("slots"), QStringLiteral("Upper.XML")));
        QVERIFY(QFile::exists(config + QStringLiteral("/slots/Upper.XML")));
        QVERIFY(settings->load(QStringLiteral("slots"), QStringLiteral("Upper.XML"), &tree));
        // An absolute directory is written in place.
        QVERIFY(settings->save(&tree, config + QStringLiteral("/slots"), QStringLiteral("abs")));
        QVERIFY(QFile::exists(config + QStringLiteral("/slots/abs.xml")));
        QVERIFY(!QFile::exists(TestEnvironment::cacheDir() + QStringLiteral("/Configs") + config));
        QVERIFY(settings->writeToFile("abs", config + QStringLiteral("/slots/abs.bin")));
        QVERIFY(settings->exists(config + QStringLiteral("/slots"), QStringLiteral("abs.bin")));

        // list: names without a whole ".xml" suffix, in name order.
        QDir().mkpath(config + QStringLiteral("/listing/d"));
        for (const char *name : {"c.tar.xml", "b.txt", "a.XML", ".hidden"})
            writeFile(config + QStringLiteral("/listing/") + QLatin1String(name), "x");
        const QJSValue entries = settings->list(QStringLiteral("listing"));
        QStringList seen;
        for (int i = 0; i < entries.property("length").toInt(); ++i)
            seen << entries.property(i).property("name").toString() +
                        (entries.property(i).property("isDir").toBool() ? "/" : "");
        QCOMPARE(seen, (QStringList{".hidden", "a", "b.txt", "c.tar.xml", "d/"}));
        QCOMPARE(settings->list(QStringLiteral("absent")).property("length").toInt(), 0);

        // remove takes both spellings, then whole directories.
        QVERIFY(settings->write("x", QStringLiteral("slots"), QStringLiteral("other")));
        QVERIFY(settings->remove(QStringLiteral("slots"), QStringLiteral("other")));
        QVERIFY(!QFile::exists(config + QStringLiteral("/slots/other")));
        QVERIFY(!QFile::exists(config + QStringLiteral("/slots/other.xml")));
        QVERIFY(settings->remove(QStringLiteral("slots"), QStringLiteral("other")));
        QVERIFY(!settings->remove(QString()));
        QVERIFY(settings->remove(QStringLiteral("slots")));
        QVERIFY(!QFileInfo::exists(config + QStringLiteral("/slots")));
    }

    void modifiedFlags() {
        SettingsMap root;
        auto *child = new SettingsMap(&root);
        auto *list = new SettingsList(&root);
        auto *grandchild = new SettingsMap(list);
        list->append(QVariant::fromValue(grandchild));
        root.insert("child", QVariant::fromValue(child));
        root.insert("list", QVariant::fromValue(list));
        root.insert("number", 1);
        const QVariant tree = QVariant::fromValue(&root);

        QTest::ignoreMessage(QtWarningMsg, "Settings::isModified: invalid settings");
        QVERIFY(!settings->isModified(42));
        QTest::ignoreMessage(QtWarningMsg, "Settings::setModified: invalid settings");
        settings->setModified(QVariant(), true);

        settings->setModified(tree, false);
        QVERIFY(!settings->isModified(tree));
        grandchild->setModified(true);
        QVERIFY(settings->isModified(tree));
        QVERIFY(!settings->isModified(tree, false));
        settings->setModified(tree, false);
        QVERIFY(!grandchild->isModified() && !list->isModified());
        settings->setModified(tree, true, false);
        QVERIFY(root.isModified() && !child->isModified());
        settings->setModified(tree, true);
        QVERIFY(grandchild->isModified() && child->isModified());
    }
};

QTEST_GUILESS_MAIN(TestSettingsDocument)
#include "tst_settingsdocument.moc"

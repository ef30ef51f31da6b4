#include "settings/scriptjson.h"
#include "settings/settings.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "settingsbothways.h"
#include "testenvironment.h"

#include <QDateTime>
#include <QQmlEngine>
#include <QtTest>

#include <cstring>

using namespace Orvane::Imports;

static const QByteArray workedExample =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map>\n"
    "    <value name=\"title\">&quot;Clock&quot;</value>\n"
    "    <value name=\"enabled\">true</value>\n    <value name=\"opacity\">0.5</value>\n"
    "    <map name=\"position\">\n        <value name=\"x\">10</value>\n"
    "        <value name=\"y\">20</value>\n    </map>\n    <list name=\"tags\">\n"
    "        <value>&quot;red&quot;</value>\n        <value>&quot;blue&quot;</value>\n    </list>\n"
    "    <value name=\"colors\">[1,2]</value>\n</map>";

class TestSettingsDocument : public QObject {
    Q_OBJECT
    QQmlEngine engine;
    Settings settings{&engine};
    const QString config = TestEnvironment::configDir();

private slots:
    void workedExampleRoundTrip() {
        SettingsMap map;
        map.insertEntries({"title", "enabled", "opacity"}, {"Clock", true, 0.5});
        auto *position = new SettingsMap(&map);
        position->insertEntries({"x", "y"}, {10, 20});
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
    }

    void valueKinds() {
        SettingsList list;
        for (const QVariant &value : {QVariant("say \"hi\" & <bye>"), QVariant(QSize(1, 2)),
                                      QVariant(QDateTime::fromSecsSinceEpoch(0, Qt::UTC)),
                                      QVariant::fromValue(nullptr), QVariant("")})
            list.append(value);
        for (int alike = 0; alike < 2; ++alike) { // read back sharing their keys
            auto *map = new SettingsMap(&list);
            map->insert("x", 1);
            list.append(QVariant::fromValue(map));
        }
        QTest::ignoreMessage(QtWarningMsg, "Imports::saveNode: invalid node: ");
        QVERIFY(settings.saveToFile(&list, config + "/kinds.xml"));
        QScopedPointer<QObject> back(settings.loadFromFile(config + "/kinds.xml"));
        auto *values = qobject_cast<SettingsList *>(back.data());
        QCOMPARE(values ? values->values().mid(0, 4) : QVariantList(),
                 (QVariantList{"say \"hi\" & <bye>", "1970-01-01T00:00:00.000Z",
                               QVariant::fromValue(nullptr), ""}));
        auto *a = values->get(4).value<SettingsMap *>(), *b = values->get(5).value<SettingsMap *>();
        const QMetaObject *meta = a->metaObject();
        QSignalSpy changed(b, &QQmlPropertyMap::valueChanged),
            notified(a, meta->property(1).notifySignal());
        QVERIFY(meta->property(meta->indexOfProperty("y")).write(a, 3)); // one gets another key
        QVERIFY(meta->property(meta->indexOfProperty("x")).write(a, 5) && notified.count() == 1);
        QCOMPARE(a->keys(), (QStringList{"x", "y"}));
        QCOMPARE(b->keys(), QStringList{"x"});
        QCOMPARE(b->metaObject()->propertyCount() + 1, meta->propertyCount());
        QVERIFY(a->value("x") == 5 && b->value("x") == 1 && changed.isEmpty() && !b->isModified());
    }

    // Text XML cannot carry must not leave a broken document behind.
    void unwritableTextKeepsTheDocument() {
        SettingsMap map;
        map.insert("v", "kept");
        QVERIFY(settings.save(&map, "unwritable", "doc"));
        const QByteArray before = TestEnvironment::readAll(config + "/unwritable/doc.xml");
        for (const QString &text :
             {QString(QChar(0xd800)), QString(QChar(1)), QString(QChar(0xfffe))}) {
            map.insert("v", "a" + text + "b");
            QTest::ignoreMessage(QtWarningMsg, "Settings::doSave: error writing xml");
            QVERIFY(!settings.save(&map, "unwritable", "doc"));
            QCOMPARE(TestEnvironment::readAll(config + "/unwritable/doc.xml"), before);
        }
    }

    void reader_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("entries"); // of the loaded map; none when nothing loads
        const auto row = [](const char *name, const QByteArray &body, const QString &message,
                            const QStringList &entries = {}) {
            QTest::newRow(name) << body << message << entries;
        };
        const QString file = "Settings::loadFromFile: ", xml = file + "error parsing xml: ";
        const auto entry = [&](const char *name, const QByteArray &value, const QString &message) {
            row(name, "<map>" + value + "<value name=\"last\">1</value></map>",
                "Imports::loadNode: " + message, {"last=1"});
        };
        row("missing", QByteArray(), file + "cannot open file: " + config + "/missing.xml");
        row("binary", QByteArray("\x00\x01\xff\xfe\x89PNG", 8), file + "cannot read root element");
        row("root value", "<value>1</value>", file + "invalid root element");
        row("truncated", "<list><map name=\"a\">" + QByteArray("<value>1</value>").repeated(200000),
            xml + "Premature end of document.");
        row("in value", "<map><value name=\"a\"><b/></value></map>",
            xml + "Expected character data.");
        row("mismatch", "<list><value>1</value></map>", xml + "Opening and ending tag mismatch.");
        entry("undefined", "<value name=\"u\">undefined</value>", "invalid value: undefined");
        entry("date", "<value name=\"d\">2024-01-01</value>", "invalid value: 2024-01-01");
        entry("open string", "<value name=\"o\">\"abc</value>", "invalid string: \"abc");
        entry("other node", "<other name=\"o\"><value name=\"d\">1</value></other>",
              "invalid node: other");
        // Unnamed entries in a map are dropped, the last of a name wins, trailing junk is ignored.
        row("entries",
            "<map><value name=\"quoted\"> \"a\\u0041\" </value><value name=\"lone\">\"</value>"
            "<value name=\"inner\">\"x\"y\"</value><value>1</value><map><value name=\"lost\">1"
            "</value></map><value name=\"twice\">1</value><value name=\"twice\">2</value></map>"
            "trailing <garbage",
            QString(), {"quoted=aA", "lone=", "inner=x\"y", "twice=2"});
    }

    void reader() {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        const QString path = config + (body.isNull() ? "/missing.xml" : "/doc.xml");
        QVERIFY(body.isNull() || (QDir().mkpath(config) && settings.writeToFile(body, path)));
        if (!message.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(message));
        QObject owner;
        auto *map = qobject_cast<SettingsMap *>(settings.loadFromFile(path, &owner));
        QStringList entries;
        for (const QString &key : map ? map->keys() : QStringList())
            entries << key + '=' + map->value(key).toString();
        QTEST(entries, "entries");
        QCOMPARE(owner.children().size(), entries.isEmpty() ? 0 : 1);
    }

    // The token reader takes only what it reads exactly as QXmlStreamReader does.
    void tokenReaderAsXmlReader_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("accepted");
        const auto row = [](const char *name, const QByteArray &body, bool accepted) {
            QTest::newRow(name) << body << accepted;
        };
        row("worked example", workedExample.mid(workedExample.indexOf('\n')), true);
        row("references",
            "<map><value name=\"a&amp;b&#x41;&#66;\">\"&lt;x&gt; &apos;&quot; "
            "&#x1F600;&#233;&#13;&#9;\"</value><value name=\"&#x10FFFD;\">1</value>"
            "</map>",
            true);
        row("utf-8",
            "<map><value name=\"\xd0\xba\xd0\xbb\xd1\x8e\xd1\x87\">\"\xe6\x97\xa5 \xc2\x85"
            " \xf0\x9f\x98\x80 \xef\xbb\xbf\"</value></map>",
            true);
        row("spacing",
            "<map ><value  name = \"a\" >1</value ><list name=\"l\"/><map name=\"m\"/>"
            "\n\t</map >",
            true);
        row("values",
            "<list name=\"r\"><value/><value></value><value> </value><value name=\"x\">"
            "\"a\tb\nc\"</value><value> [1,\n 2] </value><value>{\"a\":[]}</value>"
            "<value>\"</value><value>\"a</value><value>-0</value><value>1e400</value>"
            "</list>",
            true);
        row("twice", "<map><value name=\"k\">1</value><value name=\"k\">\"2\"</value></map>", true);
        row("space after root", "<map/>\n \n", true);
        row("deep", QByteArray("<list>").repeated(256) + QByteArray("</list>").repeated(256), true);
        // Left to QXmlStreamReader: errors, and rules the token reader does not follow.
        row("deeper", QByteArray("<list>").repeated(257) + QByteArray("</list>").repeated(257),
            false);
        row("after root", "<map/><?xml version=\"x\"?>", false); // Qt reads on and fails
        row("carriage return", "<map>\r\n<value name=\"a\">1</value></map>", false);
        row("comment", "<map><!-- c --></map>", false);
        row("cdata", "<list><value><![CDATA[\"x\"]]></value></list>", false);
        row("entity", "<list><value>&foo;</value></list>", false);
        row("nul reference", "<list><value>&#0;</value></list>", false);
        row("upper hex", "<list><value>&#X41;</value></list>", false);
        row("tab in name", "<map><value name=\"a\tb\">1</value></map>", false);
        row("single quotes", "<map><value name='a'>1</value></map>", false);
        row("two attributes", "<map><value name=\"a\" x=\"1\">1</value></map>", false);
        row("unnamed", "<map><value>1</value></map>", false);
        row("other node", "<map><other name=\"o\"/></map>", false);
        row("text in map", "<map>x<value name=\"a\">1</value></map>", false);
        row("cdata end", "<list><value>]]></value></list>", false);
        row("bad utf-8", "<list><value>\xff</value></list>", false);
        row("overlong", "<list><value>\xc0\x80</value></list>", false);
        row("surrogate", "<list><value>\xed\xa0\x80</value></list>", false);
        row("noncharacter", "<list><value>\xef\xbf\xbe</value></list>", false);
        row("in value", "<map><value name=\"a\"><b/></value></map>", false);
        row("mismatch", "<list><value>1</value></map>", false);
        row("truncated", "<list><value>1</value>", false);
        row("root value", "<value>1</value>", false);
    }

    void tokenReaderAsXmlReader() {
        QFETCH(QByteArray, body);
        const QByteArray document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body;
        const auto xml = BothWays::readWithXml(document, settings);
        const auto tokens = BothWays::readWithTokens(document, settings);
        QTEST(tokens.accepted, "accepted");
        QVERIFY(!tokens.accepted || !xml.tree.isEmpty());
        if (tokens.accepted) {
            QCOMPARE(tokens.tree, xml.tree);
            QCOMPARE(tokens.warnings, xml.warnings);
        }
        QVERIFY(!BothWays::readWithTokens(body, settings).accepted); // no declaration
    }

    // Every UTF-16 code unit, and the surrogate cases, in text and in an attribute.
    void textWriterCharactersAsXmlWriter() {
        QVector<QString> texts;
        for (uint unit = 0; unit <= 0xffff; ++unit)
            texts.append("a" + QString(QChar(unit)) + "b");
        const QChar high(0xd83d), low(0xde00);
        texts << QString(high) + low << QString(low) + high << QString(high) << QString(low)
              << "x" + QString(high) << QString(high) + high + low << QString();
        for (const QString &text : texts) {
            QByteArray xml, own;
            QXmlStreamWriter xmlWriter(&xml);
            SettingsTextWriter ownWriter(&own);
            xmlWriter.setAutoFormatting(true);
            const auto write = [&text](auto &writer) {
                writer.writeStartDocument();
                writer.writeStartElement("map");
                writer.writeStartElement("value");
                writer.writeAttribute("name", text);
                writer.writeEndElement();
                writer.writeStartElement("value");
                writer.writeCharacters(text);
                writer.writeEndElement();
                writer.writeEndElement();
            };
            write(xmlWriter);
            write(ownWriter);
            if (xmlWriter.hasError() != ownWriter.hasError() ||
                (!xmlWriter.hasError() && xml != own))
                QFAIL(qPrintable(QString::number(text.at(0).unicode(), 16) + ": " + xml + " / " +
                                 own));
        }
    }

    void textWriterTreesAsXmlWriter() {
        SettingsMap tree;
        auto *empty = new SettingsMap(&tree);
        auto *list = new SettingsList(&tree);
        auto *nested = new SettingsList(list);
        nested->append(QVariant::fromValue(new SettingsList(nested)));
        for (const QVariant &item :
             {QVariant(std::numeric_limits<int>::min()), QVariant(std::numeric_limits<uint>::max()),
              QVariant(std::numeric_limits<qlonglong>::min()),
              QVariant(std::numeric_limits<qulonglong>::max()), QVariant(0.1), QVariant(-0.0),
              QVariant(1e300), QVariant(false), QVariant(QByteArray()), QVariant(QChar('x')),
              QVariant(QUrl("https://example.org/a b?c=\"d\"")), QVariant(QSize(1, 2)),
              QVariant::fromValue(nested), QVariant(" <&>\"'\t\n\r")})
            list->append(item);
        QJSValue cyclic = engine.newObject();
        cyclic.setProperty("self", cyclic);
        tree.insertEntries(
            {"empty", "list", "js", "cyclic", "after", "we\tird"},
            {QVariant::fromValue(empty), QVariant::fromValue(list),
             QVariant::fromValue(engine.evaluate("[{\"a\":\"\\u0001\"}, 1.5, null]")),
             QVariant::fromValue(cyclic), QVariant(QDateTime()), QVariant("x")});
        for (int broken = 0; broken < 2; ++broken) { // then a string XML cannot carry
            if (broken)
                list->insert(1, QString(QChar(0xdc00)));
            const auto xml = BothWays::writeWithXml(&tree, settings);
            const auto own = BothWays::writeWithText(&tree, settings);
            QCOMPARE(own.document, xml.document);
            QCOMPARE(own.warnings, xml.warnings);
            QCOMPARE(xml.document.isEmpty(), bool(broken));
            // The QSize and the cyclic object; after a writer error nothing more is tried.
            QCOMPARE(xml.warnings.size(), broken ? 0 : 2);
        }
    }

    // The native writing of script arrays must match the engine's JSON.stringify.
    void arraysAsEngine() {
        // clang-format off
        const QStringList corpus = {
            "[]", "[1,2]", "[true,false,null]", "[\"a\",\"\",\"\u65e5\u672c\",\"' <&>\"]",
            "[9007199254740992,-9007199254740992]", "[9007199254740994]", "[-0]", "[1.5]", "[1e21]",
            "[\"a\\\"b\"]", "[\"a\\\\b\"]", "[\"\\n\"]", "[\"\\ud83d\\ude00\"]", "[[1]]", "[{}]",
            "[,1]", "[undefined]", "[function(){}]", "(function(){var a=[1];a.toJSON=0;return a})()",
            "({length:1,0:1})", "new Int8Array(2)", "new Array(2e8)"};
        // clang-format on
        int native = 0;
        for (const QString &source : corpus) {
            const QJSValue value = engine.evaluate(source);
            QVERIFY2(!value.isError(), qPrintable(source));
            QString text;
            if (!ScriptJson::stringifyPlain(value, &text))
                continue;
            ++native;
            QCOMPARE(text, settings.scriptJson().callStringify(value).toString());
        }
        QCOMPARE(native, 5); // the others go to the engine
        engine.evaluate("Array.prototype.toJSON = function() { return 1 }");
        QString text;
        QVERIFY(!ScriptJson::stringifyPlain(engine.evaluate("[1]"), &text));
        engine.evaluate("delete Array.prototype.toJSON");
        // A getter that throws is the engine's to report, and no exception is left pending.
        for (const char *key : {"0", "'toJSON'"}) {
            QVERIFY(!ScriptJson::stringifyPlain(
                engine.evaluate(QString("(function(){var a=[1];Object.defineProperty(a,%1,"
                                        "{get:function(){throw 1}});return a})()")
                                    .arg(key)),
                &text));
            QCOMPARE(engine.evaluate("[2]").property(0).toInt(), 2);
        }
    }

    // The native reading of literals must match the engine's JSON.parse bit for bit.
    void literalsAsEngine() {
        const QString corpus =
            "0 -0 -0.0 007 1.5 1e3 1E3 1e-3 1e309 4.9e-324 1e-400 42 -7 123456789 -999999999 "
            "1234567890 2147483647 2147483648 -2147483649 9007199254740993 0.30000000000000004 "
            "1.7976931348623157e308 true false null True +1 .5 1e NaN \"a\\u0041\\n\" [1,2] --1";
        int fast = 0;
        const auto same = [](const QVariant &x, const QVariant &y) {
            const double a = x.toDouble(), b = y.toDouble();
            return x.userType() == y.userType() && x == y && std::memcmp(&a, &b, sizeof a) == 0;
        };
        for (const QString &text : corpus.split(' ') + QStringList{QString(), " 1", "1 "}) {
            // Read in place from the document's bytes, it must come out the same.
            QVariant literal, inPlace;
            const QByteArray bytes = text.toLatin1();
            const bool parsed = ScriptJson::parseLiteral(text, &literal);
            QVERIFY2(ScriptJson::parseLiteral(QLatin1String(bytes), &inPlace) == parsed &&
                         (!parsed || same(inPlace, literal)),
                     qPrintable(text));
            if (!parsed)
                continue;
            ++fast;
            QVERIFY2(same(literal, settings.scriptJson().callParse(text).toVariant()),
                     qPrintable(text));
        }
        QCOMPARE(fast, 22); // the others go to the engine
    }
};

QTEST_GUILESS_MAIN(TestSettingsDocument)
#include "tst_settingsdocument.moc"

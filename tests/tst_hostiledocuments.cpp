#include "menu/menusettings.h"
#include "menu/menusettingsitem.h"
#include "menu/menusettingslist.h"
#include "settings/settings.h"
#include "testenvironment.h"

#include <QQmlEngine>
#include <QtTest>

#include <sys/resource.h>

// Documents written to hurt the readers: each is refused or read in bounded time and
// memory, and nothing but the document itself is read.
class TestHostileDocuments : public QObject {
    Q_OBJECT
    const QString directory = TestEnvironment::root() + "/docs";

private slots:
    void hostile_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("menu");
        QTest::addColumn<QByteArray>("filler"); // repeated to 100 MiB where the @ stands
        QTest::addColumn<QString>("refusal");   // of both readers, after their prefixes
        const auto row = [](const char *name, const QByteArray &head, const QByteArray &value,
                            const QByteArray &filler, const QString &refusal) {
            QTest::newRow(name) << head + "<map><value name=\"x\">" + value + "</value></map>"
                                << head + "<root><menu><item><label>" + value +
                                       "</label></item></menu></root>"
                                << filler << refusal;
        };
        QByteArray entities = "<!ENTITY a \"" + QByteArray(48, 'a') + "\">";
        for (char name = 'b'; name <= 'j'; ++name) // each six of the one before
            entities += "<!ENTITY " + QByteArray(1, name) + " \"" +
                        ("&" + QByteArray(1, name - 1) + ";").repeated(6) + "\">";
        row("entity expansion", "<!DOCTYPE x [" + entities + "]>", "&j;", {},
            "error parsing xml: Entity expands to more characters than the entity expansion "
            "limit.");
        const QString secret = TestEnvironment::root() + "/secret.txt";
        QVERIFY(TestEnvironment::writeFile(secret, "\"top secret\""));
        // Read as an empty text, never as the file.
        row("external entity",
            "<!DOCTYPE x [<!ENTITY x SYSTEM \"" + QUrl::fromLocalFile(secret).toEncoded() + "\">]>",
            "&x;", {}, {});
        row("100 MiB text node", {}, "\"@\"", QByteArray(1024 * 1024, 'a'),
            "error parsing xml: document larger than 16 MiB");
        const int depth = 10000;
        QTest::newRow("deep nesting")
            << QByteArray("<map>") + QByteArray("<map name=\"a\">").repeated(depth) +
                   QByteArray("</map>").repeated(depth + 1)
            << "<root><menu>" + QByteArray("<item><type>100</type><menu>").repeated(depth) +
                   QByteArray("</menu></item>").repeated(depth) + "</menu></root>"
            << QByteArray() << "error parsing xml: elements nested too deeply";
    }

    void hostile() {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, menu);
        QFETCH(QByteArray, filler);
        QFETCH(QString, refusal);
        QQmlEngine engine;
        Orvane::Imports::Settings settingsApi(&engine);
        Orvane::Imports::MenuSettings menuApi(&engine);
        QVERIFY(QDir().mkpath(directory));
        for (const auto &[name, content] : {std::make_pair(QString("hostile.xml"), settings),
                                            std::make_pair(QString("menu.xml"), menu)}) {
            QFile file(directory + '/' + name); // in pieces, so that the test's own peak stays low
            QVERIFY(file.open(QIODevice::WriteOnly));
            const QList<QByteArray> parts = content.split('@');
            file.write("<?xml version=\"1.0\"?>" + parts.first());
            for (int i = 0; parts.size() > 1 && i < 100; ++i)
                file.write(filler);
            if (parts.size() > 1)
                file.write(parts.last());
        }
        [[maybe_unused]] const qint64 residentBefore = TestEnvironment::residentBytes();

        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(refusal.isEmpty() ? "Imports::loadNode: invalid value: "
                                                          : "Settings::loadFromFile: " + refusal));
        QScopedPointer<QObject> tree(settingsApi.load(directory, "hostile"));
        QCOMPARE(tree.isNull(), !refusal.isEmpty());
        const QString text = tree ? tree->property("x").toString() : QString();
        QVERIFY(!text.contains("top secret") && text.size() < 1024 * 1024);

        if (!refusal.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable("MenuSettings::load: " + refusal));
        QScopedPointer<QObject> root(menuApi.load(directory, "menu"));
        QCOMPARE(root.isNull(), !refusal.isEmpty());
        if (root) {
            auto *items = static_cast<Orvane::Imports::MenuSettingsList *>(
                static_cast<Orvane::Imports::MenuSettingsItem *>(root.data())->items());
            QVERIFY(!items->itemAt(0)->label().contains("top secret"));
        }
#if !defined(__SANITIZE_ADDRESS__) // which keeps freed memory back on purpose
        rusage usage; // the peak: whatever a load allocated at its height shows here afterwards
        getrusage(RUSAGE_SELF, &usage);
        const qint64 grown = qint64(usage.ru_maxrss) * 1024 - residentBefore;
        QVERIFY2(grown < 256 * 1024 * 1024, qPrintable(QString::number(grown >> 20) + " MiB"));
#endif
    }
};

QTEST_MAIN(TestHostileDocuments)
#include "tst_hostiledocuments.moc"

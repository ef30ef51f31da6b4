#include "menu/menusettings.h"
#include "settings/settings.h"

#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtTest>

#include "testenvironment.h"

#include <sys/resource.h>

namespace {

// The high-water mark: whatever a load allocated at its peak shows here afterwards.
[[maybe_unused]] qint64 peakResidentBytes() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

} // namespace

// Documents written to hurt the readers: each is refused or read in bounded time,
// and nothing but the document itself is read.
class TestHostileDocuments : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void hostile_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("menu");
        QTest::addColumn<QByteArray>("filler"); // repeated to 100 MiB where the @ stands
        QTest::addColumn<QString>("refusal");   // of both readers, after their prefixes

        const QString secret = m_dir.filePath("secret.txt");
        QVERIFY(TestEnvironment::writeFile(secret, "\"top secret\""));

        QByteArray entities = "<!ENTITY a \"" + QByteArray(48, 'a') + "\">";
        for (char name = 'b'; name <= 'j'; ++name) // each six of the one before
            entities += "<!ENTITY " + QByteArray(1, name) + " \"" +
                        ("&" + QByteArray(1, name - 1) + ";").repeated(6) + "\">";
        QTest::newRow("entity expansion")
            << "<!DOCTYPE map [" + entities + "]><map><value name=\"x\">&j;</value></map>"
            << "<!DOCTYPE root [" + entities +
                   "]><root><menu><item><label>&j;</label></item></menu></root>"
            << QByteArray()
            << "error parsing xml: Entity expands to more characters than the entity expansion "
               "limit.";

        const QByteArray external =
            "<!ENTITY x SYSTEM \"" + QUrl::fromLocalFile(secret).toEncoded() + "\">";
        QTest::newRow("external entity")
            << "<!DOCTYPE map [" + external + "]><map><value name=\"x\">&x;</value></map>"
            << "<!DOCTYPE root [" + external +
                   "]><root><menu><item><label>&x;</label></item></menu></root>"
            << QByteArray() << QString(); // read as an empty text, never as the file

        const int depth = 10000;
        QTest::newRow("deep nesting")
            << QByteArray("<map><map name=\"a\">").repeated(1) +
                   QByteArray("<map name=\"a\">").repeated(depth) +
                   QByteArray("</map>").repeated(depth + 2)
            << "<root><menu>" + QByteArray("<item><type>100</type><menu>").repeated(depth) +
                   QByteArray("</menu></item>").repeated(depth) + "</menu></root>"
            << QByteArray() << "error parsing xml: elements nested too deeply";
        QTest::newRow("100 MiB text node")
            << QByteArray("<map><value name=\"x\">\"@\"</value></map>")
            << QByteArray("<root><menu><item><label>@</label></item></menu></root>")
            << QByteArray(1024 * 1024, 'a') << "error parsing xml: document larger than 16 MiB";
    }

    void hostile() {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, menu);
        QFETCH(QByteArray, filler);
        QFETCH(QString, refusal);
        QQmlEngine engine;
        Orvane::Imports::Settings settingsApi(&engine);
        Orvane::Imports::MenuSettings menuApi(&engine);

        const QString directory = m_dir.filePath("docs");
        QVERIFY(QDir().mkpath(directory));
        for (const auto &document : {std::make_pair(QStringLiteral("hostile.xml"), settings),
                                     std::make_pair(QStringLiteral("menu.xml"), menu)}) {
            QFile file(directory + '/' + document.first);
            QVERIFY(file.open(QIODevice::WriteOnly));
            const QList<QByteArray> parts = document.second.split('@');
            file.write("<?xml version=\"1.0\"?>" + parts.first());
            for (int i = 0; parts.size() > 1 && i < 100; ++i)
                file.write(filler);
            if (parts.size() > 1)
                file.write(parts.last());
        }
        [[maybe_unused]] const qint64 residentBefore = TestEnvironment::residentBytes();

        if (!refusal.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable("Settings::loadFromFile: " + refusal));
        else
            QTest::ignoreMessage(QtWarningMsg, "Imports::loadNode: invalid value: ");
        QScopedPointer<QObject> tree(settingsApi.load(directory, "hostile"));
        QCOMPARE(tree.isNull(), !refusal.isEmpty());
        const QString text = tree ? tree->property("x").toString() : QString();
        QVERIFY(!text.contains("top secret") && text.size() < 1024 * 1024);

        if (!refusal.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable("MenuSettings::load: " + refusal));
        QScopedPointer<QObject> root(menuApi.load(directory, "menu"));
        QCOMPARE(root.isNull(), !refusal.isEmpty());
        if (root) {
            QObject *items = root->property("items").value<QObject *>();
            QVariant first;
            QVERIFY(items && QMetaObject::invokeMethod(items, "get", Q_RETURN_ARG(QVariant, first),
                                                       Q_ARG(int, 0)));
            QVERIFY(!first.value<QObject *>()->property("label").toString().contains("top secret"));
        }
#if !defined(__SANITIZE_ADDRESS__) // which keeps freed memory back on purpose
        const qint64 grown = peakResidentBytes() - residentBefore;
        QVERIFY2(grown < 256 * 1024 * 1024, qPrintable(QString::number(grown >> 20) + " MiB"));
#endif
    }
};

QTEST_MAIN(TestHostileDocuments)
#include "tst_hostiledocuments.moc"

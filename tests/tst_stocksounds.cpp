#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

const char *const probe = R"(
import QtQml 2.12
import Orvane 1.0
QtObject {
    readonly property bool plain: typeof SFX === "object"
        && Object.getPrototypeOf(SFX) === Object.prototype
    readonly property var keys: Object.keys(SFX)
    readonly property bool isArray: Array.isArray(SFX._configs)
    readonly property var names: SFX._configs.map(function(o) { return o.objectName })
    readonly property var categories: SFX._configs.map(function(o) { return o.category })
    readonly property var labels: SFX._configs.map(function(o) { return o.label })
    readonly property bool sameObjects: SFX._configs.every(function(o) {
        return SFX[o.objectName] === o })
    readonly property QtObject first: SFX._configs[0]
    readonly property QtObject link: SFX.LinkStart
    readonly property string initialSource: SFX.PopupMenu.source.toString()
    function defaultSource() { return SFX.PopupMenu.defaultSource }
}
)";

const QStringList keys = {"LinkStart",       "ProgramStart",   "ProgramReady",  "FeedbackClick",
                          "PopupLauncher",   "PopupMessage",   "PopupMenu",     "PopupPanel",
                          "DismissLauncher", "DismissMessage", "NotifyMessage", "NotifySystem",
                          "NotifyWarning",   "NotifyAlert"};

// Marks every label it is asked for, so that the context and the untranslated one show.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *disambiguation,
                      int) const override {
        if (qstrcmp(context, "Orvane::Imports::StockSoundEffect") != 0 || disambiguation)
            return QString();
        return QStringLiteral("~") + QString::fromLatin1(source);
    }
};

std::unique_ptr<QObject> load(QQmlEngine &engine) {
    QQmlComponent component(&engine);
    component.setData(probe, QUrl::fromLocalFile(QDir::tempPath() + QStringLiteral("/probe.qml")));
    std::unique_ptr<QObject> object(component.create());
    if (!object)
        qWarning() << component.errors();
    return object;
}

} // namespace

class TestStockSounds : public QObject {
    Q_OBJECT

private slots:
    void tableAsScriptSees();
    void defaultSourceFollowsDirectory();
    void labelsGoThroughTranslation();
    void enginesGetTheirOwnObjects();
};

void TestStockSounds::tableAsScriptSees() {
    QQmlEngine engine;
    const auto sfx = load(engine);
    QVERIFY(sfx);
    QVERIFY(sfx->property("plain").toBool());
    QCOMPARE(sfx->property("keys").toStringList(), keys + QStringList{"_configs"});
    QVERIFY(sfx->property("isArray").toBool());
    QCOMPARE(sfx->property("names").toStringList(), keys);
    QVERIFY(sfx->property("sameObjects").toBool());
    QCOMPARE(sfx->property("first").value<QObject *>(), sfx->property("link").value<QObject *>());
    QCOMPARE(sfx->property("categories").toStringList(),
             QStringList({"sfx/link-start", "sfx/program/start", "sfx/program/ready",
                          "sfx/feedback/click", "sfx/popup/launcher", "sfx/popup/message",
                          "sfx/popup/menu", "sfx/popup/panel", "sfx/dismiss/launcher",
                          "sfx/dismiss/message", "sfx/notify/message", "sfx/notify/system",
                          "sfx/notify/warning", "sfx/notify/alert"}));
    QCOMPARE(
        sfx->property("labels").toStringList(),
        QStringList({"Link Start", "Program Start", "Program Ready", "Item Select", "Launcher Show",
                     "Message Show", "Menu Popup", "Panel Popup", "Launcher Hide", "Message Hide",
                     "Message Notify", "System Notify", "System Forbid", "System Alert"}));
    QCOMPARE(sfx->property("initialSource").toString(), QString());

    // The script engine owns them; the collector leaves them alone.
    // The plugin carries its own copy of the class, so compare by name.
    QObject *link = sfx->property("link").value<QObject *>();
    QVERIFY(link);
    QCOMPARE(link->metaObject()->className(), "Orvane::Imports::StockSoundEffect");
    QCOMPARE(link->metaObject()->superClass()->className(), "Orvane::SoundEffect");
    QCOMPARE(link->parent(), &engine);
    engine.collectGarbage();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(sfx->property("link").value<QObject *>());
}

void TestStockSounds::defaultSourceFollowsDirectory() {
    QQmlEngine engine;
    const auto sfx = load(engine);
    QVERIFY(sfx);
    const QByteArray saved = qgetenv("ORVANE_SOUNDS_DIR");
    qputenv("ORVANE_SOUNDS_DIR", "/nowhere/sounds");
    QVariant url;
    QMetaObject::invokeMethod(sfx.get(), "defaultSource", Q_RETURN_ARG(QVariant, url));
    QCOMPARE(url.toUrl(), QUrl::fromLocalFile("/nowhere/sounds/PopupMenu.wav"));
    qputenv("ORVANE_SOUNDS_DIR", saved);
    QMetaObject::invokeMethod(sfx.get(), "defaultSource", Q_RETURN_ARG(QVariant, url));
    QCOMPARE(url.toUrl(), QUrl::fromLocalFile(QString::fromLocal8Bit(saved) + "/PopupMenu.wav"));
    QVERIFY(QFileInfo::exists(url.toUrl().toLocalFile()));
}

void TestStockSounds::labelsGoThroughTranslation() {
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QQmlEngine engine;
    const auto sfx = load(engine);
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(sfx);
    const QStringList labels = sfx->property("labels").toStringList();
    QCOMPARE(labels.value(0), QStringLiteral("Link Start"));
    QCOMPARE(labels.value(1), QStringLiteral("~Program Start"));
    QCOMPARE(labels.value(13), QStringLiteral("~System Alert"));
    QCOMPARE(labels.filter(QStringLiteral("~")).size(), 13);
}

void TestStockSounds::enginesGetTheirOwnObjects() {
    QQmlEngine first;
    QQmlEngine second;
    const auto a = load(first);
    const auto b = load(second);
    QVERIFY(a && b);
    QObject *linkA = a->property("link").value<QObject *>();
    QObject *linkB = b->property("link").value<QObject *>();
    QVERIFY(linkA && linkB);
    QVERIFY(linkA != linkB);
    QCOMPARE(linkA->thread(), QThread::currentThread());
    QCOMPARE(linkB->parent(), &second);
}

QTEST_MAIN(TestStockSounds)

#include "tst_stocksounds.moc"

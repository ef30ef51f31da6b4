#include "testengine.h"

#include <QtTest>

namespace {

const char *const probe = R"(
import QtQml 2.12
import Orvane 1.0
QtObject {
    readonly property bool plain: Object.getPrototypeOf(SFX) === Object.prototype
        && Array.isArray(SFX._configs) && SFX._configs.every(o => SFX[o.objectName] === o)
        && Object.keys(SFX).join() === SFX._configs.map(o => o.objectName).concat("_configs").join()
    readonly property var rows: SFX._configs.map(o => [o.objectName, o.category, o.label].join("|"))
    readonly property QtObject menu: SFX.PopupMenu
}
)";

// clang-format off
const QStringList table = {
    "LinkStart|sfx/link-start|Link Start", "ProgramStart|sfx/program/start|Program Start",
    "ProgramReady|sfx/program/ready|Program Ready", "FeedbackClick|sfx/feedback/click|Item Select",
    "PopupLauncher|sfx/popup/launcher|Launcher Show", "PopupMessage|sfx/popup/message|Message Show",
    "PopupMenu|sfx/popup/menu|Menu Popup", "PopupPanel|sfx/popup/panel|Panel Popup",
    "DismissLauncher|sfx/dismiss/launcher|Launcher Hide",
    "DismissMessage|sfx/dismiss/message|Message Hide",
    "NotifyMessage|sfx/notify/message|Message Notify",
    "NotifySystem|sfx/notify/system|System Notify",
    "NotifyWarning|sfx/notify/warning|System Forbid", "NotifyAlert|sfx/notify/alert|System Alert",
};
// clang-format on

} // namespace

class TestStockSounds : public QObject {
    Q_OBJECT

private slots:
    void tableAsScriptSees() {
        TestEngine engine;
        const auto sfx = engine.create(probe);
        QVERIFY(sfx && sfx->property("plain").toBool());
        QCOMPARE(sfx->property("rows").toStringList(), table);
        const QByteArray saved = qgetenv("ORVANE_SOUNDS_DIR");
        qputenv("ORVANE_SOUNDS_DIR", "/nowhere");
        QObject *menu = sfx->property("menu").value<QObject *>();
        QCOMPARE(menu->property("defaultSource").toUrl(), QUrl("file:///nowhere/PopupMenu.wav"));
        qputenv("ORVANE_SOUNDS_DIR", saved);
        const QUrl url = menu->property("defaultSource").toUrl();
        QCOMPARE(url, QUrl::fromLocalFile(QString::fromLocal8Bit(saved) + "/PopupMenu.wav"));
        QVERIFY(QFileInfo::exists(url.toLocalFile()));
        TestEngine second;
        const auto b = second.create(probe);
        QObject *menuB = b ? b->property("menu").value<QObject *>() : nullptr;
        QVERIFY(menuB && menuB != menu);
    }
};

QTEST_MAIN(TestStockSounds)

#include "tst_stocksounds.moc"

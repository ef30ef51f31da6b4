// One DataSource with three outputs, updated by calling update() directly,
// against the floor of a bare QtObject whose three properties a JS function sets.
// Measured on the 2-core build machine (RelWithDebInfo): 3.7 us per update
// against 0.72 us for the floor, a ratio of about 5.
// Run: build/bench/bench_datasource
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

namespace {

constexpr int kUpdates = 100000;

const char *const kProvider = R"(import QtQml 2.12
import Orvane.Templates 1.0 as T
T.Data {
    title: "Bench"
    values: ({ v: v })
    readonly property T.Value v: T.Value {
        id: v
        title: "V"
        unit: "u"
        minimum: 0
        maximum: 100
        update.refresh: function () { v.current = (v.current + 1.25) % 100 }
    }
}
)";

const char *const kSource = R"(import QtQml 2.12
import Orvane 1.0
QtObject {
    property url provider
    property DataSource ds: DataSource {
        configuration: ({ source: provider.toString(), value: "v", interval: 0 })
    }
    property DataSourceRawOutput raw: DataSourceRawOutput { source: ds }
    property DataSourceTextOutput text: DataSourceTextOutput { source: ds }
    property DataSourceProgressOutput progress: DataSourceProgressOutput { source: ds }
    function run(n) {
        for (var i = 0; i < n; ++i)
            ds.update()
        return ds.$DataSourceData.initialized && text.result !== "" ? n : -1
    }
}
)";

const char *const kFloor = R"(import QtQml 2.12
QtObject {
    property var result
    property string text
    property real progress
    property real current: 0
    function set(v) {
        result = v
        text = String(Math.round(v * 100) / 100)
        progress = v / 100
    }
    function run(n) {
        for (var i = 0; i < n; ++i) {
            current = (current + 1.25) % 100
            set(current)
        }
        return n
    }
}
)";

struct Fixture {
    QTemporaryDir dir;
    QQmlEngine engine;
    std::unique_ptr<QObject> object;

    explicit Fixture(const char *qml) {
        engine.addImportPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../qml"));
        const QString provider = dir.filePath(QStringLiteral("Provider.qml"));
        QFile file(provider);
        if (file.open(QIODevice::WriteOnly))
            file.write(kProvider);
        file.close();
        QQmlComponent component(&engine);
        component.setData(qml, QUrl::fromLocalFile(dir.filePath(QStringLiteral("Bench.qml"))));
        object.reset(component.beginCreate(engine.rootContext()));
        if (!object) {
            qFatal("%s", qPrintable(component.errorString()));
        }
        object->setProperty("provider", QUrl::fromLocalFile(provider));
        component.completeCreate();
        // The source initialises on the next turn of the event loop.
        QCoreApplication::processEvents();
    }

    int run(int n) {
        QVariant result;
        QMetaObject::invokeMethod(object.get(), "run", Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, n));
        return result.toInt();
    }
};

void run(benchmark::State &state, const char *qml) {
    Fixture fixture(qml);
    if (fixture.run(1) != 1) {
        state.SkipWithError("the QML did not run");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.run(kUpdates));
    state.SetItemsProcessed(state.iterations() * kUpdates);
}

void BM_DataSourceThreeOutputs(benchmark::State &state) {
    run(state, kSource);
}

void BM_FloorQtObjectThreeProperties(benchmark::State &state) {
    run(state, kFloor);
}

BENCHMARK(BM_DataSourceThreeOutputs)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FloorQtObjectThreeProperties)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

// Save and load of settings through Settings, against the peers a widget author would
// pick instead (QSettings/INI, QJsonDocument/QSaveFile) and the floors (QXmlStreamReader
// alone; QXmlStreamWriter into memory then one write, fsync and rename). Two trees: a
// widget's document (argument 0: 100 values, two nested maps, a few arrays) and a large
// one (argument 1: 10,000 values). MapLoad/N loads a flat map of N keys: its time per key
// must not grow with N.

#include "settings/settings.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QQmlEngine>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QVector>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace Orvane::Imports;

namespace {

struct Shape {
    int groups;
    int perGroup;  // plain values per group
    int listItems; // values in each group's list
};
const Shape shapes[] = {{2, 45, 5}, {100, 90, 10}};

QTemporaryDir &scratch() {
    static QTemporaryDir dir;
    return dir;
}

struct Fixture {
    QTemporaryDir &dir = scratch();
    QQmlEngine engine;
    Settings *settings = nullptr;
    SettingsMap *tree = nullptr;
    QJsonObject json;
    QVariantMap flat; // the same values under "group/key" for QSettings
    QByteArray xml;   // the settings document, for the floors

    // Script values must go before the engine that holds them.
    ~Fixture() {
        delete tree;
        delete settings;
    }

    QString name; // of the document and the peers' files

    explicit Fixture(int index)
        : name(QStringLiteral("tree%1").arg(index)) {
        const auto [groups, perGroup, listItems] = shapes[index];
        qputenv("ORVANE_CONFIG_DIR", QFile::encodeName(dir.path() + "/config"));
        qputenv("ORVANE_CACHE_DIR", QFile::encodeName(dir.path() + "/cache"));
        settings = new Settings(&engine);
        tree = new SettingsMap;
        for (int g = 0; g < groups; ++g) {
            auto *group = new SettingsMap(tree);
            QJsonObject jsonGroup;
            const QString prefix = QStringLiteral("g%1").arg(g);
            for (int k = 0; k < perGroup; ++k) {
                const QString key = QStringLiteral("k%1").arg(k);
                QVariant value;
                QJsonValue jsonValue;
                switch (k % 4) {
                case 0:
                    value = QStringLiteral("text %1 of group %2").arg(k).arg(g);
                    jsonValue = value.toString();
                    break;
                case 1:
                    value = k % 8 == 1 ? QVariant(g * 1000 + k) : QVariant(k * 0.25 + g);
                    jsonValue = value.toDouble();
                    break;
                case 2:
                    value = (k + g) % 3 == 0;
                    jsonValue = value.toBool();
                    break;
                default: {
                    const QVariantList array{k, QStringLiteral("x%1").arg(g), true};
                    value = QVariant::fromValue(engine.toScriptValue(array));
                    jsonValue = QJsonArray::fromVariantList(array);
                }
                }
                group->insert(key, value);
                jsonGroup.insert(key, jsonValue);
                flat.insert(
                    prefix + '/' + key,
                    k % 4 == 3
                        ? QVariant(
                              QJsonDocument(jsonValue.toArray()).toJson(QJsonDocument::Compact))
                        : value);
            }
            auto *list = new SettingsList(group);
            QJsonArray jsonList;
            for (int i = 0; i < listItems; ++i) {
                list->append(i % 2 ? QVariant(i) : QVariant(QStringLiteral("item %1").arg(i)));
                jsonList.append(QJsonValue::fromVariant(list->get(i)));
                flat.insert(prefix + QStringLiteral("/list/%1").arg(i), list->get(i));
            }
            group->insert(QStringLiteral("list"), QVariant::fromValue(list));
            jsonGroup.insert(QStringLiteral("list"), jsonList);
            tree->insert(prefix, QVariant::fromValue(group));
            json.insert(prefix, jsonGroup);
        }
        settings->save(tree, QStringLiteral("bench"), name);
        QFile file(path());
        file.open(QIODevice::ReadOnly);
        xml = file.readAll();
        // The peers' load cases read what their save cases wrote; write both up front.
        QSettings ini(peer("ini"), QSettings::IniFormat);
        for (auto it = flat.cbegin(); it != flat.cend(); ++it)
            ini.setValue(it.key(), it.value());
        QSaveFile peerJson(peer("json"));
        peerJson.open(QIODevice::WriteOnly);
        peerJson.write(QJsonDocument(json).toJson());
        peerJson.commit();
    }

    QString path() const { return dir.path() + "/config/bench/" + name + ".xml"; }
    QString peer(const char *suffix) const { return dir.path() + '/' + name + '.' + suffix; }
};

Fixture *fixtures[2] = {};

void SettingsSave(benchmark::State &state) {
    const Fixture *fixture = fixtures[state.range(0)];
    for (auto _ : state)
        if (!fixture->settings->save(fixture->tree, QStringLiteral("bench"), fixture->name))
            state.SkipWithError("save failed");
}

void SettingsLoad(benchmark::State &state) {
    const Fixture *fixture = fixtures[state.range(0)];
    for (auto _ : state) {
        QObject *tree = fixture->settings->load(QStringLiteral("bench"), fixture->name);
        if (!tree)
            state.SkipWithError("load failed");
        state.PauseTiming();
        delete tree;
        state.ResumeTiming();
    }
}

void IniSave(benchmark::State &state) {
    const Fixture *fixture = fixtures[state.range(0)];
    const QString path = fixture->peer("ini");
    for (auto _ : state) {
        QSettings ini(path, QSettings::IniFormat);
        for (auto it = fixture->flat.cbegin(); it != fixture->flat.cend(); ++it)
            ini.setValue(it.key(), it.value());
        ini.sync();
    }
}

void IniLoad(benchmark::State &state) {
    const Fixture *fixture = fixtures[state.range(0)];
    const QString path = fixture->peer("ini");
    for (auto _ : state) {
        QSettings ini(path, QSettings::IniFormat);
        int read = 0;
        for (const QString &key : ini.allKeys())
            read += ini.value(key).isValid();
        if (read != fixture->flat.size())
            state.SkipWithError("ini incomplete");
    }
}

void JsonSave(benchmark::State &state) {
    const Fixture *fixture = fixtures[state.range(0)];
    const QString path = fixture->peer("json");
    for (auto _ : state) {
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(QJsonDocument(fixture->json).toJson());
        if (!file.commit())
            state.SkipWithError("json save failed");
    }
}

void JsonLoad(benchmark::State &state) {
    const Fixture *fixture = fixtures[state.range(0)];
    const QString path = fixture->peer("json");
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        benchmark::DoNotOptimize(document.object().size());
    }
}

// The same, going on to the values a widget reads, as the settings load hands them out.
void JsonLoadValues(benchmark::State &state) {
    const Fixture *fixture = fixtures[state.range(0)];
    const QString path = fixture->peer("json");
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QVariantMap values = QJsonDocument::fromJson(file.readAll()).object().toVariantMap();
        benchmark::DoNotOptimize(values.size());
    }
}

// The document as a flat list of writer calls, so the save floor writes the same
// elements without walking any tree.
struct Token {
    QXmlStreamReader::TokenType type;
    QString text;
    QXmlStreamAttributes attributes;
};

QVector<Token> tokenize(const QByteArray &xml) {
    QVector<Token> tokens;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            tokens.append({reader.tokenType(), reader.name().toString(), reader.attributes()});
            break;
        case QXmlStreamReader::EndElement:
            tokens.append({reader.tokenType(), QString(), {}});
            break;
        case QXmlStreamReader::Characters:
            if (!reader.isWhitespace())
                tokens.append({reader.tokenType(), reader.text().toString(), {}});
            break;
        default:
            break;
        }
    }
    return tokens;
}

void FloorSave(benchmark::State &state) {
    const Fixture *fixture = fixtures[state.range(0)];
    const QByteArray target = QFile::encodeName(fixture->peer("floor"));
    const QByteArray temporary = target + ".tmp";
    const QVector<Token> tokens = tokenize(fixture->xml);
    for (auto _ : state) {
        QByteArray buffer;
        QXmlStreamWriter writer(&buffer);
        writer.setAutoFormatting(true);
        writer.writeStartDocument();
        for (const Token &token : tokens) {
            if (token.type == QXmlStreamReader::StartElement) {
                writer.writeStartElement(token.text);
                writer.writeAttributes(token.attributes);
            } else if (token.type == QXmlStreamReader::EndElement) {
                writer.writeEndElement();
            } else {
                writer.writeCharacters(token.text);
            }
        }
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::write(fd, buffer.constData(), buffer.size()) != buffer.size())
            state.SkipWithError("write failed");
        ::fsync(fd);
        ::close(fd);
        ::rename(temporary.constData(), target.constData());
    }
}

void FloorLoad(benchmark::State &state) {
    const Fixture *fixture = fixtures[state.range(0)];
    const QString path = fixture->path();
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QXmlStreamReader reader(&file);
        int tokens = 0;
        while (!reader.atEnd()) {
            reader.readNext();
            ++tokens;
        }
        benchmark::DoNotOptimize(tokens);
    }
}

// A flat map of N keys: loading it must cost the same per key whatever N is.
void MapLoad(benchmark::State &state) {
    const Fixture *fixture = fixtures[0];
    const int keys = int(state.range(0));
    QByteArray document = "<map>";
    for (int i = 0; i < keys; ++i)
        document += "<value name=\"key" + QByteArray::number(i) + "\">" + QByteArray::number(i) +
                    "</value>";
    const QString path = fixture->peer("map") + QString::number(keys);
    fixture->settings->writeToFile(document + "</map>", path);
    for (auto _ : state) {
        QObject *map = fixture->settings->loadFromFile(path);
        if (!map)
            state.SkipWithError("load failed");
        state.PauseTiming();
        delete map;
        state.ResumeTiming();
    }
    state.counters["per_key"] = benchmark::Counter(
        keys, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Collects the time per iteration of every benchmark so the ratios come from this run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    QMap<QString, double> times;

    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        // One figure a benchmark: the median when it is repeated, else its run.
        for (const Run &run : runs) {
            const bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate ? run.aggregate_name == "median" : run.iterations > 0) {
                const QString name =
                    QString::fromStdString(run.run_name.function_name + '/' + run.run_name.args);
                times[name] = run.GetAdjustedRealTime();
                if (run.counters.count("per_key"))
                    times[name + "/key"] = run.counters.at("per_key");
            }
        }
    }
};

} // namespace

// Each case on both trees, interleaved, so that every ratio compares like with like.
BENCHMARK(SettingsSave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(IniSave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(JsonSave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(FloorSave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(SettingsLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(IniLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(JsonLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(JsonLoadValues)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(FloorLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(MapLoad)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture widget(0), large(1);
    fixtures[0] = &widget;
    fixtures[1] = &large;
    std::printf("values: widget %d, large %d\n", widget.flat.size(), large.flat.size());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const QString &a, const QString &b) {
        const double x = reporter.times.value(a), y = reporter.times.value(b);
        std::printf("%-18s / %-18s = %6.2f\n", qPrintable(a), qPrintable(b), y > 0 ? x / y : 0.0);
    };
    std::printf("\nratios (below 1: Settings is faster)\n");
    for (const char *tree : {"0", "1"}) {
        for (const char *peer : {"Ini", "Json", "Floor"}) {
            ratio(QStringLiteral("SettingsSave/") + tree, peer + QStringLiteral("Save/") + tree);
            ratio(QStringLiteral("SettingsLoad/") + tree, peer + QStringLiteral("Load/") + tree);
        }
        ratio(QStringLiteral("SettingsLoad/") + tree, QStringLiteral("JsonLoadValues/") + tree);
    }
    std::printf("\nper key, 1,000 keys against 10 keys (linear: about 1)\n");
    ratio("MapLoad/1000/key", "MapLoad/10/key");
    benchmark::Shutdown();
    return 0;
}

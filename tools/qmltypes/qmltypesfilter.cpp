// Drops from a dumped plugins.qmltypes the composite types that belong to other modules.
// The dumper loads those modules while compiling the plugin's own components and then
// files their QML types under the dumped module's name.
//
// usage: orvane-qmltypesfilter FILE QMLDIR...

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <cstdio>

namespace {

QSet<QString> typesNamedIn(const QString &qmldirPath) {
    QSet<QString> names;
    QFile qmldir(qmldirPath);
    if (!qmldir.open(QIODevice::ReadOnly | QIODevice::Text))
        return names;
    static const QRegularExpression entry(
        QStringLiteral("^(?:singleton\\s+)?([A-Z]\\w*)\\s+\\d+\\.\\d+\\s+\\S+\\.qml$"));
    while (!qmldir.atEnd()) {
        const auto match = entry.match(QString::fromUtf8(qmldir.readLine()).trimmed());
        if (match.hasMatch())
            names.insert(match.captured(1));
    }
    return names;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FILE QMLDIR...\n", argv[0]);
        return 2;
    }
    QSet<QString> foreign;
    for (int i = 2; i < argc; ++i)
        foreign.unite(typesNamedIn(QString::fromLocal8Bit(argv[i])));

    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    file.close();

    // Components are the blocks opened and closed at the module's indentation.
    static const QRegularExpression compositeName(
        QStringLiteral("^        name: \"[\\w.]+/(\\w+) \\d+\\.\\d+\"$"));
    QStringList kept;
    QStringList block;
    bool inBlock = false;
    bool drop = false;
    for (const QString &line : lines) {
        if (!inBlock && line == QLatin1String("    Component {")) {
            inBlock = true;
            drop = false;
            block = QStringList{line};
            continue;
        }
        if (!inBlock) {
            kept.append(line);
            continue;
        }
        block.append(line);
        const auto match = compositeName.match(line);
        if (match.hasMatch() && foreign.contains(match.captured(1)))
            drop = true;
        if (line == QLatin1String("    }")) {
            inBlock = false;
            if (!drop)
                kept.append(block);
        }
    }

    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    QTextStream(&file) << kept.join(QLatin1Char('\n'));
    return 0;
}

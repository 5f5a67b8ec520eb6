#include "CommandLine.h"

#include <QCommandLineParser>

#include "Constants.h"

namespace nubra::app {
CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("nubra5 serwis: program serwisowy drukarki fiskalnej NX-3 E."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("?"), QStringLiteral("help")},
                                  QStringLiteral("Wyświetla ten opis i kończy działanie."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Wyświetla wersję programu i kończy działanie."));
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("Folder danych: nx3config.ini, Tabele/ i Raport.txt "
                                                 "(domyślnie ~/.local/share/nubra5)."),
                                  QStringLiteral("folder"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Otwiera port COM1 do COM4 w tym uruchomieniu, "
                                                 "bez zmiany pliku nx3config.ini."),
                                  QStringLiteral("numer"));
    parser.addOptions({help, version, data, port});

    CommandLine result;
    const auto fail = [&result](const QString& text) {
        result.exitCode = 1;
        result.message = text + QStringLiteral("\nOpis opcji: nx3serwis --help\n");
    };
    if (!parser.parse(arguments)) {
        fail(parser.errorText());
        result.unknownOption = !parser.unknownOptionNames().isEmpty();
        return result;
    }
    if (parser.isSet(help)) {
        result.exitCode = 0;
        result.message = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.exitCode = 0;
        result.message = QStringLiteral("%1 %2\n").arg(QString::fromUtf8(MainCaption),
                                                       QString::fromLatin1(ProgramVersion));
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        fail(QStringLiteral("Nieznany argument: %1").arg(parser.positionalArguments().constFirst()));
        return result;
    }
    if (parser.isSet(data)) {
        result.dataFolder = parser.value(data);
        if (result.dataFolder.isEmpty()) {
            fail(QStringLiteral("Opcja --data wymaga nazwy folderu."));
            return result;
        }
    }
    if (parser.isSet(port)) {
        bool ok = false;
        const int n = parser.value(port).toInt(&ok);
        if (!ok || n < 1 || n > 4) {
            fail(QStringLiteral("Numer portu musi być liczbą od 1 do 4: %1").arg(parser.value(port)));
            return result;
        }
        result.port = n;
    }
    return result;
}

} // namespace nubra::app

#include "programoptions.h"

#include "schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstring>

namespace falq {

void handleProgramOptions(int& argc, char** argv, const QString& program,
                          const QString& description) {
    bool asked = false;
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version", "-?"})
            asked = asked || std::strcmp(argv[i], option) == 0;
    if (!asked)
        return;
    QCoreApplication app(argc, argv);
    app.setApplicationName(program);
    app.setApplicationVersion(schema::kProgramVersion);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        description +
        QStringLiteral("\n\nIt works on the installation (plant root) named by VELMORA_ROOT, "
                       "by default ~/.local/share/velmora (falqsetup demo creates a demo there)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app); // prints and ends the program
}

} // namespace falq

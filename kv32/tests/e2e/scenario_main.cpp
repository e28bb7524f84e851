// kv32_scenario: the workstation with a scenario player in place of its user,
// for end-to-end tests. It starts like the program (without a logon; the
// scenarios log on), plays each scenario file given in order, logs off and
// exits 0 when every step passed.
//
//   kv32_scenario [--shots DIR] [--coverage FILE] [--step-seconds N] [--print-pdf BASE] SCENARIO...
//   kv32_scenario --inventory FILE   (what the coverage check asks of the program)
//
// --print-pdf: the print log's documents go to BASE-1.pdf, BASE-2.pdf, ...
// instead of the default printer.
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/ui/dialog.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/line_print.h"
#include "kv32/windows/line_printer_qt.h"
#include "kvcore/app/intl.h"
#include "coverage_inventory.h"
#include "scenario.h"
#include "scenario_player.h"

int main(int argc, char** argv)
{
    CScenarioPlayer::Options options;
    std::vector<std::string> files;
    std::string inventoryPath;
    std::string printPdf;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--shots" && hasValue)
            options.shotDir = argv[++i];
        else if (arg == "--inventory" && hasValue)
            inventoryPath = argv[++i];
        else if (arg == "--coverage" && hasValue)
            options.coveragePath = argv[++i];
        else if (arg == "--print-pdf" && hasValue)
            printPdf = argv[++i];
        else if (arg == "--step-seconds" && hasValue) {
            const auto n = ScenarioNumber(argv[++i]);
            if (!n || *n < 1 || *n > 3600) {
                std::fprintf(stderr, "kv32_scenario: --step-seconds takes 1 to 3600\n");
                return 2;
            }
            options.stepSeconds = static_cast<int>(*n);
        } else if (arg.rfind("--", 0) == 0) {
            std::fprintf(stderr, "kv32_scenario: unknown option %s\n", arg.c_str());
            return 2;
        } else
            files.push_back(arg);
    }
    if (files.empty() && inventoryPath.empty()) {
        std::fprintf(
            stderr, "usage: kv32_scenario [--shots DIR] [--coverage FILE] [--step-seconds N] [--print-pdf BASE] "
                    "SCENARIO...\n");
        return 2;
    }
    // Every file is read before anything starts: a mistake in one is reported at once.
    std::vector<ScenarioStep> steps;
    for (const std::string& file : files) {
        ScenarioParse parsed = LoadScenario(file);
        if (!parsed.error.empty()) {
            std::fprintf(stderr, "kv32_scenario: %s\n", parsed.error.c_str());
            return 2;
        }
        steps.insert(steps.end(), parsed.steps.begin(), parsed.steps.end());
    }

    QApplication qt(argc, argv);
    // The interface speaks the language of the user's message locale (LC_ALL, LC_MESSAGES, LANG).
    KvApplyInterfaceLanguage();
    // Start-up may speak before the player is there: nobody can answer, so the
    // answer is the one that changes nothing and the text goes to the log.
    fw::setMessageBoxHook([](const std::string& text, uint32_t type) {
        std::fprintf(stderr, "kv32: message: %s\n", fw::cp1250ToUtf8(text).c_str());
        return fw::unattendedAnswer(type);
    });
    CKvApp app;
    app.m_aCommandLine = { "kv32_scenario", "/NOCHECKVERSION" };
    if (!printPdf.empty())
        app.m_makePrinter = [printPdf] {
            return std::make_unique<CDeviceLinePrint>(std::make_unique<CQtLinePrintDevice>(printPdf), "kv32");
        };
    if (!app.start()) {
        app.finish();
        return 1;
    }
    if (!inventoryPath.empty()) {
        std::ofstream out(inventoryPath, std::ios::trunc);
        out << KvCoverageInventory(app);
        const bool written = static_cast<bool>(out.flush());
        app.finish();
        if (!written)
            std::fprintf(stderr, "kv32_scenario: %s could not be written\n", inventoryPath.c_str());
        return written ? 0 : 1;
    }
    int result = 0;
    QTimer::singleShot(0, &app, [&] {
        CScenarioPlayer player(app, options);
        const bool passed = player.Play(steps);
        player.Finish();
        std::fprintf(stderr, "kv32_scenario: %s\n", passed ? "every step passed" : "FAILED");
        result = passed ? 0 : 1;
        // What the exit still shows gets the answer that changes nothing.
        fw::setMessageBoxHook([](const std::string&, uint32_t type) { return fw::unattendedAnswer(type); });
        fw::Dialog::setModalHook([](fw::Dialog& dialog) { dialog.endDialog(fw::IDCANCEL); });
        app.postCommand(&app, CKvAppCore::ID_APP_EXIT);
    });
    const int loop = QApplication::exec();
    const int exitResult = app.finish();
    return result != 0 ? result : (loop != 0 ? loop : exitResult);
}

// korrelin-standin.exe: a stand-in for the chat client, to try Korrelin on and to
// test it against. See standin_options.cpp for the command line and standin_log.h
// for the log.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>
#include <vector>

#include "standin/standin_app_win32.h"
#include "standin/standin_options.h"

namespace korrelin {
namespace {

constexpr int kExitBadCommandLine = 2;

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; argv != nullptr && i < count; ++i) arguments.emplace_back(argv[i]);
    LocalFree(argv);
    return arguments;
}

int RunStandin(HINSTANCE instance) {
    const StandinParseResult parsed = ParseStandinOptions(CommandLineArguments());
    if (!parsed.error.empty()) {
        const std::wstring text = parsed.error + L"\n\n" + StandinHelpText();
        MessageBoxW(nullptr, text.c_str(), L"korrelin-standin", MB_OK | MB_ICONERROR);
        return kExitBadCommandLine;
    }
    if (parsed.options.showHelp) {
        const std::wstring text = StandinHelpText();
        MessageBoxW(nullptr, text.c_str(), L"korrelin-standin", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    StandinApp app(instance, parsed.options);
    std::wstring error;
    if (!app.Start(error)) {
        MessageBoxW(nullptr, error.c_str(), L"korrelin-standin", MB_OK | MB_ICONERROR);
        return 1;
    }
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace
}  // namespace korrelin

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return korrelin::RunStandin(instance);
}

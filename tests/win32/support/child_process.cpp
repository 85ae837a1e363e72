#include "support/child_process.h"

#include <utility>

namespace korrelin::support {
namespace {

// How long Terminate waits for the process to go; TerminateProcess is quick.
constexpr DWORD kTerminateWaitMs = 10000;

std::wstring FolderOfTestProgram() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

}  // namespace

std::wstring PathBesideTestProgram(std::wstring_view fileName) {
    // KORRELIN_PROGRAM_DIR names another folder to take the programs from, such as
    // an unpacked release.
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"KORRELIN_PROGRAM_DIR", folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return std::wstring(folder) + L"\\" + std::wstring(fileName);
    return FolderOfTestProgram() + L"\\" + std::wstring(fileName);
}

std::wstring QuoteArgument(std::wstring_view argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
        return std::wstring(argument);
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count double before a quote, which then takes one of its own.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');  // before the closing quote
    quoted += L'"';
    return quoted;
}

ChildProcess ChildProcess::Start(const std::wstring& program,
                                 const std::vector<std::wstring>& arguments) {
    ChildProcess child;
    std::wstring commandLine = QuoteArgument(program);
    for (const std::wstring& argument : arguments) commandLine += L" " + QuoteArgument(argument);
    child.job_.reset(CreateJobObjectW(nullptr, nullptr));
    if (child.job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(child.job_.get(), JobObjectExtendedLimitInformation, &limits,
                                sizeof limits);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Suspended until it is in the job, so that nothing it starts escapes the job.
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr, nullptr, &startup, &info)) {
        child.error_ = L"CreateProcessW failed with error " + std::to_wstring(GetLastError()) +
                       L" for " + commandLine;
        return child;
    }
    if (child.job_) AssignProcessToJobObject(child.job_.get(), info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    child.process_.reset(info.hProcess);
    child.id_ = info.dwProcessId;
    return child;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Terminate();
        job_ = std::move(other.job_);
        process_ = std::move(other.process_);
        id_ = std::exchange(other.id_, 0);
        error_ = std::move(other.error_);
    }
    return *this;
}

ChildProcess::~ChildProcess() {
    Terminate();
}

bool ChildProcess::IsRunning() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (!process_) return std::nullopt;
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ChildProcess::Terminate() {
    if (!IsRunning()) return;
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), kTerminateWaitMs);
}

}  // namespace korrelin::support

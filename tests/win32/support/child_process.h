#pragma once
// Starting another program from a Wine test: it runs as a child process, and the
// handle that owns it ends it when the test is over, whatever way the test ends.

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace korrelin::support {

struct CloseHandleDeleter {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, CloseHandleDeleter>;

// The full path of a file in the folder of the running test program, where the
// build puts korrelin.exe and korrelin-standin.exe, or in the folder that the
// environment variable KORRELIN_PROGRAM_DIR names.
std::wstring PathBesideTestProgram(std::wstring_view fileName);

// The argument as it must stand in a command line for CommandLineToArgvW (and the
// C runtime) to read it back unchanged: quoted when needed, quotes and the
// backslashes before them escaped.
std::wstring QuoteArgument(std::wstring_view argument);

// The process runs in a job of its own that ends it when the last handle to the
// job closes: also when the test program itself is killed (a ctest time-out).
class ChildProcess {
  public:
    // Starts the program with the arguments. When that fails, the result is not
    // started and error() says why.
    static ChildProcess Start(const std::wstring& program,
                              const std::vector<std::wstring>& arguments);

    ChildProcess() = default;
    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ~ChildProcess();  // terminates a process that still runs

    bool IsStarted() const { return process_ != nullptr; }
    bool IsRunning() const;
    DWORD id() const { return id_; }
    const std::wstring& error() const { return error_; }

    // The exit code, once the process has ended within the timeout; none else.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);
    // Ends the process at once (exit code 1) and waits until it has gone.
    void Terminate();

  private:
    UniqueHandle job_;
    UniqueHandle process_;
    DWORD id_ = 0;
    std::wstring error_;
};

}  // namespace korrelin::support

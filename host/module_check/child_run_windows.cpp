#include "module_check/child_run.hpp"

#include "module_check/child_protocol.hpp"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace panelhost::check {
namespace {

// One argument quoted the way the C runtime splits a command line.
std::string quoted(const std::string& argument) {
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            out.append(backslashes * 2 + 1, '\\');
        else
            out.append(backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

std::string command_line(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        line += quoted(argument);
    }
    return line;
}

std::string system_error(const char* what) {
    return std::string(what) + " failed: error " + std::to_string(GetLastError());
}

// Reads what is in the pipe now, without waiting.
void drain(HANDLE pipe, std::string& output) {
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[4096];
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr) ||
            got == 0)
            return;
        output.append(buffer, got);
    }
}

std::string how_it_ended(DWORD code) {
    if (code == 0) return {};
    char text[48];
    std::snprintf(text, sizeof text, "exit code 0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// Starts the program again for one gauge and waits for it, at most the time limit.
std::vector<Finding> drive_in_child(const std::string& gauge, const ChildRun& run) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, &inherited, PAGE_READWRITE, 0,
                                        sizeof(SharedProgress), nullptr);
    void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0) : nullptr;
    HANDLE read_end = nullptr, write_end = nullptr;
    if (!view || !CreatePipe(&read_end, &write_end, &inherited, 0)) {
        if (mapping) CloseHandle(mapping);
        return {{"child", std::nullopt, "", system_error("starting a child process"), ""}};
    }
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    auto* progress = new (view) SharedProgress{};

    std::vector<std::string> arguments = run.command;
    arguments.insert(arguments.end(), {"--child-gauge", gauge, "--child-progress",
                                       std::to_string(reinterpret_cast<uintptr_t>(mapping))});
    std::string line = command_line(arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write_end;
    startup.hStdError = write_end;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    ChildEnd end;
    end.time_limit = run.time_limit;
    std::string output;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        end.ended = system_error("CreateProcess");
    } else {
        const ULONGLONG deadline = GetTickCount64() + ULONGLONG(run.time_limit * 1000);
        for (;;) {
            drain(read_end, output);
            DWORD waited = WaitForSingleObject(process.hProcess, 10);
            if (waited == WAIT_OBJECT_0) break;
            if (GetTickCount64() >= deadline) {
                TerminateProcess(process.hProcess, 1);
                WaitForSingleObject(process.hProcess, INFINITE);
                end.hung = true;
                break;
            }
        }
        drain(read_end, output);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        if (!end.hung) end.ended = how_it_ended(code);
        end.diagnostic = diagnostic_line(output);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(write_end);
    CloseHandle(read_end);
    SharedProgress last = *progress;
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    return child_findings(output, last, end);
}

} // namespace

bool child_runs_available(const ChildRun& run) { return !run.command.empty(); }

std::vector<ChildResult> drive_in_children(const std::string&,
                                           const std::vector<std::string>& gauges,
                                           const DriveOptions&, const ChildRun& run) {
    std::vector<ChildResult> results;
    for (const std::string& gauge : gauges) {
        const ULONGLONG start = GetTickCount64();
        ChildResult result;
        result.findings = drive_in_child(gauge, run);
        result.seconds = double(GetTickCount64() - start) / 1000;
        results.push_back(std::move(result));
    }
    return results;
}

int drive_as_child(const std::string& module_path, const std::string& gauge,
                   const DriveOptions& options, const std::string& progress_handle) {
    // A crash ends the child quietly: its parent reports it.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    auto mapping = reinterpret_cast<HANDLE>(std::strtoull(progress_handle.c_str(), nullptr, 10));
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!view) {
        std::fprintf(stderr, "panelhost: --child-progress %s is no shared memory of a parent\n",
                     progress_handle.c_str());
        return 2;
    }
    auto* progress = static_cast<SharedProgress*>(view);
    ChildListener listener(*progress, [](const std::string& text) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    });
    drive_gauge(module_path, gauge, options, listener);
    progress->finished = 1;
    std::printf("%s\n", std::string(finished_line).c_str());
    std::fflush(stdout);
    UnmapViewOfFile(view);
    return 0;
}

} // namespace panelhost::check

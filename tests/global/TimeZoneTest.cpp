// TimeZone: the current zone against the system's time-zone information in
// this process, local time of Date through it, and the same checks in child
// processes pinned to UTC, America/New_York, Asia/Tokyo and Asia/Kolkata.
//
// Pinning: under Wine the zone of a process follows the Unix TZ variable of
// the Wine process, which a child inherits from its parent's Unix
// environment (TZ in a Windows environment block has no effect). So each
// child is this program started by /bin/sh with TZ set: Wine runs Unix
// programs through CreateProcessW, and kernel32's wine_get_unix_file_name
// gives the Unix names of the program and of the files the child writes. On
// Windows, whose zone is a machine setting, the pinned runs are skipped.
#include "wux/global/TimeZone.h"
#include "wux/global/Date.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using cpp::global::Date;
using cpp::global::TimeZone;
using cpp::lang::String;

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

TIME_ZONE_INFORMATION systemZone() {
    TIME_ZONE_INFORMATION info;
    EXPECT_NE(GetTimeZoneInformation(&info), TIME_ZONE_ID_INVALID);
    return info;
}

__int64 const MINUTE = 60000000LL;

// Midwinter and midsummer noon, UTC.
Date const WINTER(2008, 1, 15, 12, 0, 0, 0);
Date const SUMMER(2008, 7, 15, 12, 0, 0, 0);

// The zone's checks that hold in whatever zone the process runs: the
// standard offset applies all year, and getLocalTime/setLocalTime use it.
void expectZoneMatchesSystem() {
    TIME_ZONE_INFORMATION info = systemZone();
    __int64 const standard = -(static_cast<__int64>(info.Bias) + info.StandardBias) * MINUTE;
    TimeZone const* zone = TimeZone::getCurrentTimeZone();
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(TimeZone::getCurrentTimeZone(), zone);
    EXPECT_EQ(text(zone->getDisplayName()), std::wstring(info.StandardName));
    for (Date const* date : {&WINTER, &SUMMER}) {
        SCOPED_TRACE(date == &WINTER ? "winter" : "summer");
        EXPECT_EQ(zone->getOffset(date), standard);
        EXPECT_FALSE(zone->isDaylightTime(date));
        EXPECT_EQ(date->getLocalTime() - date->time(), standard);
        Date back(0);
        back.setLocalTime(date->getLocalTime());
        EXPECT_EQ(back.time(), date->time());
    }
}

TEST(TimeZoneTest, CurrentZoneIsTheSystemsStandardZone) {
    expectZoneMatchesSystem();
}

// A zone of the test's own, to see the copy operations of the base class.
class FixedZone : public TimeZone {
public:
    FixedZone(String const& name, __int64 offset) : _offset(offset) { setDisplayName(name); }
    __int64 getOffset(Date const*) const override { return _offset; }
    bool isDaylightTime(Date const*) const override { return false; }

private:
    __int64 _offset;
};

TEST(TimeZoneTest, CopiesCarryTheDisplayName) {
    FixedZone a(String(L"Zone A"), MINUTE);
    FixedZone b(a);
    FixedZone c(String(L"Zone C"), 0);
    EXPECT_EQ(text(b.getDisplayName()), L"Zone A");
    c = a;
    EXPECT_EQ(text(c.getDisplayName()), L"Zone A");
    EXPECT_EQ(c.getOffset(&WINTER), MINUTE);
    TimeZone& base = a;
    base = FixedZone(String(L"Zone D"), 0);
    EXPECT_EQ(text(a.getDisplayName()), L"Zone D");
    EXPECT_EQ(text(b.getDisplayName()), L"Zone A");
}

//===-- Pinned zones, in child processes ---------------------------------===//

std::wstring environment(wchar_t const* name) {
    wchar_t buffer[256];
    DWORD n = GetEnvironmentVariableW(name, buffer, 256);
    return n > 0 && n < 256 ? std::wstring(buffer, n) : std::wstring();
}

DWORD WINAPI firstCall(LPVOID result) {
    *static_cast<TimeZone const**>(result) = TimeZone::getCurrentTimeZone();
    return 0;
}

// Runs only in the children started below: the zone's first use races on
// eight threads, then the zone is checked against the row's expectations.
TEST(ZoneChildTest, InPinnedZone) {
    if (environment(L"WUX_TEST_ZONE_CHILD").empty())
        GTEST_SKIP() << "runs in the child processes of TimeZonePinnedTest";
    int const bias = std::wcstol(environment(L"WUX_TEST_ZONE_BIAS").c_str(), nullptr, 10);
    int const wall = std::wcstol(environment(L"WUX_TEST_ZONE_WALL").c_str(), nullptr, 10);

    TimeZone const* seen[8] = {};
    HANDLE threads[8];
    for (int i = 0; i < 8; ++i) {
        threads[i] = CreateThread(nullptr, 0, &firstCall, &seen[i], CREATE_SUSPENDED, nullptr);
        ASSERT_NE(threads[i], nullptr);
    }
    for (HANDLE thread : threads)
        ResumeThread(thread);
    WaitForMultipleObjects(8, threads, TRUE, INFINITE);
    for (int i = 0; i < 8; ++i) {
        CloseHandle(threads[i]);
        EXPECT_NE(seen[i], nullptr);
        EXPECT_EQ(seen[i], seen[0]) << "thread " << i;
    }
    EXPECT_EQ(TimeZone::getCurrentTimeZone(), seen[0]);

    ASSERT_EQ(systemZone().Bias, bias) << "the child did not get its zone";
    expectZoneMatchesSystem();
    for (Date const* date : {&WINTER, &SUMMER}) {
        SCOPED_TRACE(date == &WINTER ? "winter" : "summer");
        EXPECT_EQ(TimeZone::getCurrentTimeZone()->getOffset(date), -bias * MINUTE);
        Date local(date->getLocalTime());
        EXPECT_EQ(local.getHours() * 100 + local.getMinutes(), static_cast<unsigned>(wall));
    }
}

typedef char*(CDECL* UnixNameFn)(LPCWSTR);
typedef WCHAR*(CDECL* DosNameFn)(LPCSTR);

std::string shellQuoted(std::string const& s) {
    std::string quoted = "'";
    for (char c : s)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool writeFile(std::wstring const& path, std::string const& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

std::string readFile(std::wstring const& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string content;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0)
        content.append(buffer, n);
    CloseHandle(file);
    return content;
}

std::string narrow(std::wstring const& s) {
    std::string out;
    for (wchar_t c : s)
        out += static_cast<char>(c);
    return out;
}

class TimeZonePinnedTest : public ::testing::Test {
protected:
    void SetUp() override {
        HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        _unixName = reinterpret_cast<UnixNameFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(kernel, "wine_get_unix_file_name")));
        _dosName = reinterpret_cast<DosNameFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(kernel, "wine_get_dos_file_name")));
        _loader = narrow(environment(L"WINELOADER"));
        if (_unixName == nullptr || _dosName == nullptr || _loader.empty())
            GTEST_SKIP() << "time zones are pinned through Wine's Unix TZ variable; this "
                            "system's zone is a machine setting";
        wchar_t temp[MAX_PATH + 1];
        DWORD n = GetTempPathW(MAX_PATH + 1, temp);
        ASSERT_GT(n, 0u);
        _folder = std::wstring(temp, n) + L"wux-zone-" + std::to_wstring(GetCurrentProcessId()) +
                  L"-" + std::to_wstring(GetTickCount());
        ASSERT_TRUE(CreateDirectoryW(_folder.c_str(), nullptr)) << GetLastError();
    }

    void TearDown() override {
        if (_folder.empty())
            return;
        for (wchar_t const* name : {L"\\run.sh", L"\\out.txt", L"\\rc.txt", L"\\rc.tmp"})
            DeleteFileW((_folder + name).c_str());
        EXPECT_TRUE(RemoveDirectoryW(_folder.c_str())) << GetLastError();
    }

    std::string unixName(std::wstring const& path) {
        char* name = _unixName(path.c_str());
        std::string result = name != nullptr ? name : "";
        HeapFree(GetProcessHeap(), 0, name);
        return result;
    }

    // Runs the child tests with TZ = zone; gives their exit code and output.
    int runChild(std::string const& zone, int bias, int wall, std::string& output) {
        for (wchar_t const* name : {L"\\out.txt", L"\\rc.txt"})
            DeleteFileW((_folder + name).c_str());
        wchar_t exe[MAX_PATH + 1];
        DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH + 1);
        std::string const out = unixName(_folder + L"\\out.txt");
        std::string const rcTemp = unixName(_folder + L"\\rc.tmp");
        std::string const rc = unixName(_folder + L"\\rc.txt");
        std::string script = "export TZ=" + shellQuoted(zone) +
                             " WUX_TEST_ZONE_CHILD=1 WUX_TEST_ZONE_BIAS=" + std::to_string(bias) +
                             " WUX_TEST_ZONE_WALL=" + std::to_string(wall) + "\n" +
                             shellQuoted(_loader) + " " +
                             shellQuoted(unixName(std::wstring(exe, n))) +
                             " --gtest_filter=ZoneChildTest.* </dev/null >" + shellQuoted(out) +
                             " 2>&1\n" + "echo $? >" + shellQuoted(rcTemp) + "\n" + "mv " +
                             shellQuoted(rcTemp) + " " + shellQuoted(rc) + "\n";
        std::wstring const scriptPath = _folder + L"\\run.sh";
        if (!writeFile(scriptPath, script)) {
            ADD_FAILURE() << "cannot write the script";
            return -1;
        }
        WCHAR* shell = _dosName("/bin/sh");
        if (shell == nullptr) {
            ADD_FAILURE() << "no /bin/sh";
            return -1;
        }
        std::wstring command = L"\"" + std::wstring(shell) + L"\" \"";
        HeapFree(GetProcessHeap(), 0, shell);
        for (char c : unixName(scriptPath))
            command += static_cast<wchar_t>(static_cast<unsigned char>(c));
        command += L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            ADD_FAILURE() << "cannot start /bin/sh: " << GetLastError();
            return -1;
        }
        // Wine gives no handle for a Unix program: the script's last step
        // renames the exit-code file into place.
        if (process.hProcess != nullptr)
            CloseHandle(process.hProcess);
        if (process.hThread != nullptr)
            CloseHandle(process.hThread);
        std::wstring const rcPath = _folder + L"\\rc.txt";
        for (int waited = 0; GetFileAttributesW(rcPath.c_str()) == INVALID_FILE_ATTRIBUTES;
             waited += 50) {
            if (waited > 120000) {
                ADD_FAILURE() << "the child did not finish within two minutes";
                return -1;
            }
            Sleep(50);
        }
        output = readFile(_folder + L"\\out.txt");
        return std::atoi(readFile(rcPath).c_str());
    }

    UnixNameFn _unixName = nullptr;
    DosNameFn _dosName = nullptr;
    std::string _loader;
    std::wstring _folder;
};

TEST_F(TimeZonePinnedTest, EachZoneInAChildProcess) {
    struct Row {
        char const* name;
        char const* zone;
        int bias; // minutes, UTC = local + bias, standard time
        int wall; // hhmm, local clock at noon UTC, in winter and in summer
    } const rows[] = {
        {"UTC", "UTC", 0, 1200},
        {"New York: standard time all year", "America/New_York", 300, 700},
        {"Tokyo", "Asia/Tokyo", -540, 2100},
        {"Kolkata: half hours", "Asia/Kolkata", -330, 1730},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        std::string output;
        int rc = runChild(row.zone, row.bias, row.wall, output);
        EXPECT_EQ(rc, 0) << output;
        EXPECT_NE(output.find("[       OK ] ZoneChildTest.InPinnedZone"), std::string::npos)
            << output;
        EXPECT_EQ(output.find("SKIPPED"), std::string::npos) << output;
    }
}

} // namespace

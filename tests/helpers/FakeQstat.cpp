// SPDX-License-Identifier: MIT
// Stand-in for the query program qstat. It accepts the status command line
//   -Ts TEMPLATE -tsw -sort l -of OUT [-allowserverdups] -f LIST
// and the single-host command lines (-Ts T -tsw -of OUT -grs ADDR, -P -raw {::} [-nnx] -of OUT -grs[,..] ADDR),
// appends what it was given to the file named by MORVANE_FAKE_QSTAT_LOG:
//   run
//   cwd=<working folder>
//   arg=<argument>        (one line per argument)
//   end
// and writes its output file as the scenario file named by MORVANE_FAKE_QSTAT_SCENARIO says, one
// directive a line:
//   host ADDR PLAYERS MAX REMAINING YES|NO   the host answers; the template is filled in like qstat
//   line ADDR TEXT                           the host's output line is TEXT, ended by the eol below
//   extra TEXT                               a line after all hosts
//   eol lf|crlf|cr|none                      line end of line/extra lines (default lf)
//   single TEXT                              the output line of a single-host run
//   info ADDR TEXT                           the information line of ADDR (its "hostinfo.dat")
//   player ADDR TEXT                         one player line of ADDR ("name{::}deaths{::}team");
//                                            a players run of ADDR writes qstat's heading line, the
//                                            player lines and, after any, an empty line; without
//                                            -nnx, bytes past ASCII in them turn into '?' as qstat
//                                            "translates" names
//   on status|info|players DIRECTIVE         the directive holds for runs of that kind only
//   started FILE                             as soon as the program runs, write its process id to FILE
//   wait-for FILE                            before answering, wait (at most 30 s) until FILE exists
//   delay MS                                 before answering, sleep MS
//   hang                                     write nothing, wait until ended
//   hang-after-write                         write the output, then wait until ended
//   nofile                                   write nothing and exit
//   garbage BYTES                            write BYTES pseudo-random bytes instead of the output
//   exit N                                   exit code
//   stderr TEXT                              write TEXT and a line end to the error output
//   exit-stamp FILE                          just before exiting, write the monotonic clock (ns) to FILE
// Hosts without host/line directives do not answer ("/[]" with the usual template). Like qstat,
// without -allowserverdups two entries of one address (no port meaning 2346) give one line. A
// single-host run for an address without info/player directives writes the "single" line.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

struct Answer
{
    std::string players, max, remaining, dedicated;
};

enum class RunKind
{
    Status,
    Info,
    Players,
};

struct Scenario
{
    std::map<std::string, Answer> hosts;
    std::map<std::string, std::string> lines;
    std::map<std::string, std::string> infos;
    std::map<std::string, std::vector<std::string>> players;
    std::vector<std::string> extra;
    std::string eol = "\n";
    std::string single = "fake<>Yes<>0<>8<> <>1.4<>Map<>No Mission<>TEAM<>Mission";
    std::string startedFile, waitFor, exitStamp;
    std::vector<std::string> errorLines;
    int delayMs = 0;
    bool hang = false, hangAfterWrite = false, noFile = false;
    long garbage = -1;
    int exitCode = 0;
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> splitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

// "ADDR TEXT": the address and the text after it, kept byte for byte.
std::pair<std::string, std::string> addressAndText(const std::string& rest)
{
    const size_t blank = rest.find(' ');
    if (blank == std::string::npos)
        return {rest, std::string()};
    return {rest.substr(0, blank), rest.substr(blank + 1)};
}

Scenario loadScenario(RunKind kind)
{
    Scenario s;
    const char* path = std::getenv("MORVANE_FAKE_QSTAT_SCENARIO");
    if (!path)
        return s;
    for (const std::string& raw : splitLines(readFile(path))) {
        std::istringstream in(raw);
        std::string word;
        in >> word;
        if (word == "on") {
            std::string only;
            in >> only;
            const RunKind wanted = only == "status" ? RunKind::Status
                                   : only == "info" ? RunKind::Info
                                                    : RunKind::Players;
            if (wanted != kind)
                continue;
            in >> word;
        }
        std::string rest;
        std::getline(in >> std::ws, rest);
        std::istringstream args(rest);
        if (word == "info") {
            const auto [addr, text] = addressAndText(rest);
            s.infos[addr] = text;
        } else if (word == "player") {
            const auto [addr, text] = addressAndText(rest);
            s.players[addr].push_back(text);
        } else if (word == "host") {
            std::string addr;
            Answer a;
            args >> addr >> a.players >> a.max >> a.remaining >> a.dedicated;
            s.hosts[addr] = a;
        } else if (word == "line") {
            std::string addr;
            args >> addr;
            std::string text;
            std::getline(args >> std::ws, text);
            s.lines[addr] = text;
        } else if (word == "extra") {
            s.extra.push_back(rest);
        } else if (word == "eol") {
            s.eol = rest == "crlf" ? "\r\n" : rest == "cr" ? "\r" : rest == "none" ? "" : "\n";
        } else if (word == "single") {
            s.single = rest;
        } else if (word == "started") {
            s.startedFile = rest;
        } else if (word == "wait-for") {
            s.waitFor = rest;
        } else if (word == "delay") {
            s.delayMs = std::atoi(rest.c_str());
        } else if (word == "hang") {
            s.hang = true;
        } else if (word == "hang-after-write") {
            s.hangAfterWrite = true;
        } else if (word == "nofile") {
            s.noFile = true;
        } else if (word == "garbage") {
            s.garbage = std::atol(rest.c_str());
        } else if (word == "exit-stamp") {
            s.exitStamp = rest;
        } else if (word == "stderr") {
            s.errorLines.push_back(rest);
        } else if (word == "exit") {
            s.exitCode = std::atoi(rest.c_str());
        }
    }
    return s;
}

void logRun(int argc, char** argv)
{
    const char* log = std::getenv("MORVANE_FAKE_QSTAT_LOG");
    if (!log)
        return;
    if (FILE* f = std::fopen(log, "ab")) {
        char cwd[4096] = {};
        if (!getcwd(cwd, sizeof cwd))
            cwd[0] = '\0';
        std::fprintf(f, "run\ncwd=%s\n", cwd);
        for (int i = 1; i < argc; ++i)
            std::fprintf(f, "arg=%s\n", argv[i]);
        std::fprintf(f, "end\n");
        std::fclose(f);
    }
}

[[noreturn]] void waitUntilEnded()
{
    for (;;)
        pause();
}

// qstat copies the template's bytes, its line end included, filling in the variables it knows.
std::string fillTemplate(const std::string& tmpl, const Answer& a)
{
    static const std::vector<std::pair<std::string, std::string Answer::*>> vars = {
        {"$MAXPLAYERS", &Answer::max},
        {"$PLAYERS", &Answer::players},
        {"$(RULE:remainingtime)", &Answer::remaining},
        {"$(RULE:dedicated)", &Answer::dedicated},
    };
    std::string out;
    for (size_t i = 0; i < tmpl.size();) {
        bool replaced = false;
        for (const auto& [name, field] : vars) {
            if (tmpl.compare(i, name.size(), name) == 0) {
                out += a.*field;
                i += name.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += tmpl[i++];
    }
    return out;
}

std::string withDefaultPort(const std::string& addr)
{
    return addr.find(':') == std::string::npos ? addr + ":2346" : addr;
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

// qstat's own transformation of player names garbles what is not ASCII; -nnx turns it off.
std::string transformName(std::string line)
{
    for (char& c : line) {
        if (static_cast<unsigned char>(c) >= 0x80)
            c = '?';
    }
    return line;
}

// A players output as qstat writes it with -raw {::}: the heading line, one line per player, and
// an empty line after the players.
std::string playersOutput(const std::string& addr, const std::vector<std::string>& lines, bool noTransform)
{
    std::string out = "GRS{::}" + addr + "{::}fake{::}Map{::}16{::}" + std::to_string(lines.size()) + "{::}0{::}0\n";
    for (const std::string& line : lines)
        out += (noTransform ? line : transformName(line)) + "\n";
    if (!lines.empty())
        out += "\n";
    return out;
}

int main(int argc, char** argv)
{
    logRun(argc, argv);

    std::string templ, out, list, single;
    bool tsw = false, sortList = false, allowDups = false, players = false, raw = false, noTransform = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "-Ts" && hasValue)
            templ = argv[++i];
        else if (a == "-of" && hasValue)
            out = argv[++i];
        else if (a == "-f" && hasValue)
            list = argv[++i];
        else if (a == "-sort" && hasValue && std::string(argv[i + 1]) == "l")
            sortList = (++i, true);
        else if (a == "-raw" && hasValue && std::string(argv[i + 1]) == "{::}")
            raw = (++i, true);
        else if (a == "-tsw")
            tsw = true;
        else if (a == "-allowserverdups")
            allowDups = true;
        else if (a == "-P")
            players = true;
        else if (a == "-nnx")
            noTransform = true;
        else if ((a == "-grs" || a == "-grs,ignoreserverplayer=no") && hasValue)
            single = argv[++i];
        else {
            std::fprintf(stderr, "fake qstat: unexpected argument %s\n", a.c_str());
            return 3;
        }
    }
    const bool statusRun = !templ.empty() && tsw && sortList && !out.empty() && !list.empty() && single.empty();
    const bool infoRun = !templ.empty() && tsw && !out.empty() && !single.empty() && list.empty();
    const bool playersRun = players && raw && !out.empty() && !single.empty() && list.empty();
    if (!statusRun && !infoRun && !playersRun) {
        std::fprintf(stderr, "fake qstat: not a command line of the program\n");
        return 3;
    }
    const Scenario s = loadScenario(statusRun ? RunKind::Status : infoRun ? RunKind::Info : RunKind::Players);
    // Renamed into place, so whoever sees the file can read the whole id.
    if (!s.startedFile.empty() && writeFile(s.startedFile + ".part", std::to_string(getpid()) + "\n"))
        std::rename((s.startedFile + ".part").c_str(), s.startedFile.c_str());

    using namespace std::chrono;
    if (!s.waitFor.empty()) {
        const auto until = steady_clock::now() + seconds(30);
        while (access(s.waitFor.c_str(), F_OK) != 0 && steady_clock::now() < until)
            std::this_thread::sleep_for(milliseconds(5));
    }
    if (s.delayMs > 0)
        std::this_thread::sleep_for(milliseconds(s.delayMs));
    for (const std::string& line : s.errorLines)
        std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    if (s.hang)
        waitUntilEnded();
    if (s.noFile)
        return s.exitCode;

    std::string bytes;
    if (s.garbage >= 0) {
        unsigned x = 12345;
        for (long i = 0; i < s.garbage; ++i) {
            x = x * 1103515245u + 12345u;
            bytes += static_cast<char>(x >> 16);
        }
    } else if (statusRun) {
        const std::string tmpl = readFile(templ);
        std::set<std::string> seen;
        for (const std::string& entry : splitLines(readFile(list))) {
            if (entry.rfind("GRS ", 0) != 0)
                continue;
            const std::string addr = entry.substr(4);
            if (!allowDups && !seen.insert(withDefaultPort(addr)).second)
                continue;
            if (auto l = s.lines.find(addr); l != s.lines.end())
                bytes += l->second + s.eol;
            else if (auto h = s.hosts.find(addr); h != s.hosts.end())
                bytes += fillTemplate(tmpl, h->second);
            else
                bytes += fillTemplate(tmpl, Answer{});
        }
        for (const std::string& e : s.extra)
            bytes += e + s.eol;
    } else if (auto info = s.infos.find(single); infoRun && info != s.infos.end()) {
        bytes = info->second + "\n";
    } else if (playersRun && (s.infos.count(single) || s.players.count(single))) {
        const auto p = s.players.find(single);
        bytes = playersOutput(single, p == s.players.end() ? std::vector<std::string>() : p->second, noTransform);
    } else {
        bytes = s.single + "\n";
    }
    if (!writeFile(out, bytes))
        return 4;
    if (s.hangAfterWrite)
        waitUntilEnded();
    if (!s.exitStamp.empty()) {
        timespec now = {};
        clock_gettime(CLOCK_MONOTONIC, &now);
        writeFile(s.exitStamp, std::to_string(static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec));
    }
    return s.exitCode;
}

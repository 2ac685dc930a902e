// SPDX-License-Identifier: MIT
// Stand-in for the game. Appends one record per run to the file named by MORVANE_FAKE_GAME_LOG:
//   run
//   pid=<process id>
//   cwd=<working folder>
//   arg=<argument>        (one line per argument)
//   mods=<line>           (one line per line of the "modsset.txt" beside the program, as the game
//                          reads its active mods at its start)
//   end
// then behaves as MORVANE_FAKE_GAME_MODE says: "exit" ends at once, "code:N" ends with code N,
// "sleep:MS" ends after MS milliseconds, "wait" waits until it is ended, "stubborn" waits and
// ignores SIGTERM, SIGINT and SIGHUP (only SIGKILL ends it). Without a mode (the demo) it waits 30
// seconds, like a player who quits after a short game.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

void logModsSet(FILE* log)
{
    char exe[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (length <= 0)
        return;
    std::string path(exe, static_cast<size_t>(length));
    path = path.substr(0, path.rfind('/') + 1) + "modsset.txt";
    FILE* mods = std::fopen(path.c_str(), "rb");
    if (!mods)
        return;
    std::string line;
    for (int c = std::fgetc(mods);; c = std::fgetc(mods)) {
        if (c == EOF || c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (c != EOF || !line.empty())
                std::fprintf(log, "mods=%s\n", line.c_str());
            line.clear();
            if (c == EOF)
                break;
        } else {
            line += static_cast<char>(c);
        }
    }
    std::fclose(mods);
}

} // namespace

int main(int argc, char** argv)
{
    if (const char* log = std::getenv("MORVANE_FAKE_GAME_LOG")) {
        if (FILE* f = std::fopen(log, "ab")) {
            char cwd[4096] = {};
            if (!getcwd(cwd, sizeof cwd))
                cwd[0] = '\0';
            std::fprintf(f, "run\npid=%ld\ncwd=%s\n", static_cast<long>(getpid()), cwd);
            for (int i = 1; i < argc; ++i)
                std::fprintf(f, "arg=%s\n", argv[i]);
            logModsSet(f);
            std::fprintf(f, "end\n");
            std::fclose(f);
        }
    }
    const char* modeEnv = std::getenv("MORVANE_FAKE_GAME_MODE");
    const std::string mode = modeEnv ? modeEnv : "";
    using namespace std::chrono;
    if (mode == "exit")
        return 0;
    if (mode.rfind("code:", 0) == 0)
        return std::atoi(mode.c_str() + 5);
    if (mode.rfind("sleep:", 0) == 0) {
        std::this_thread::sleep_for(milliseconds(std::atoi(mode.c_str() + 6)));
        return 0;
    }
    if (mode == "stubborn") {
        for (int sig : {SIGTERM, SIGINT, SIGHUP})
            std::signal(sig, SIG_IGN);
    }
    if (mode == "wait" || mode == "stubborn") {
        for (;;)
            pause();
    }
    std::this_thread::sleep_for(seconds(30));
    return 0;
}

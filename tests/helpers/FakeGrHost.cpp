// SPDX-License-Identifier: MIT
// Stand-in Ghost Recon hosts on UDP, answering the status query that qstat sends to game port + 2.
//   fake_grhost [--bind ADDR] --host OPTIONS [--host OPTIONS ...]
// OPTIONS are comma-separated key=value pairs (defaults in brackets):
//   port     query port, 0 for any free one [0]     name      server name [Fake Host]
//   map      [Castle]                                mission   [No Mission]
//   type     mission type [Last Man Standing]        mode      2 COOP, 3 SOLO, 4 TEAM [4]
//   dedicated 0|1 [1]                                slots     players in the slot list [4]
//   max      [17]                                    played    seconds played [300]
//   gametime seconds [1800]                          patch     12, 13 or 14 [14]
//   mods     mod list, entries separated by + ["\mods\origmiss"]
//   names    player names separated by +, %XX for any byte [Player1, Player2, ...]
//   teams    player teams separated by + [1, 2, 1, ...]
//            (names and teams go to the player slots in order; slot 0 of a dedicated host is the
//            host itself and keeps the server name)
//   silent   1: receives but never answers           garbage   1: answers with bytes qstat cannot read
// Once every socket is bound it prints each host's address for a host list ("127.0.0.1:GAMEPORT"),
// one a line, then "ready". It runs until it gets SIGTERM or SIGINT.
#include <arpa/inet.h>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t g_end = 0;

void onSignal(int) { g_end = 1; }

struct Host
{
    int port = 0;
    std::string name = "Fake Host", map = "Castle", mission = "No Mission", type = "Last Man Standing";
    std::string mods = "\\mods\\origmiss";
    std::vector<std::string> names;
    std::vector<int> teams;
    int mode = 4, dedicated = 1, slots = 4, max = 17, patch = 14;
    float played = 300, gametime = 1800;
    bool silent = false, garbage = false;
    int fd = -1;
};

const unsigned char Request[13] = {0xc0, 0xde, 0xf1, 0x11, 0x42, 0x06, 0x00, 0xf5, 0x03, 0x00, 0x78, 0x30, 0x63};

class Packet
{
public:
    void bytes(std::initializer_list<int> b)
    {
        for (int x : b)
            m_data.push_back(static_cast<unsigned char>(x));
    }
    void zeros(int n) { m_data.insert(m_data.end(), n, 0); }
    void u8(int v) { m_data.push_back(static_cast<unsigned char>(v)); }
    void i32(int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_data.push_back(static_cast<unsigned char>(uint32_t(v) >> (8 * i)));
    }
    void f32(float f)
    {
        uint32_t v;
        std::memcpy(&v, &f, 4);
        i32(static_cast<int32_t>(v));
    }
    // Strings are never empty on the wire.
    void str(const std::string& s, size_t maxLen = 75)
    {
        std::string t = s.empty() ? std::string(" ") : s.substr(0, maxLen);
        i32(static_cast<int32_t>(t.size()));
        m_data.insert(m_data.end(), t.begin(), t.end());
    }
    std::vector<unsigned char>& data() { return m_data; }

private:
    std::vector<unsigned char> m_data;
};

std::vector<unsigned char> reply(const Host& h)
{
    Packet p;
    p.bytes({0xc0, 0xde, 0xf1, 0x11, 0x42});
    p.zeros(2); // length, filled in below
    const int vv = h.patch == 12 ? 0x02 : h.patch == 13 ? 0x03 : 0x04;
    const int ww = h.patch == 12 ? 0x0a : h.patch == 13 ? 0x05 : 0x00;
    p.bytes({0xf4, 0x03, 0x14, vv, ww, 0x41, vv, ww, 0x41, 0x00, 0x00, 0x78, 0x30, 0x63});
    p.zeros(4);
    p.str(h.name);
    p.str(h.map);
    p.str(h.mission);
    p.str(h.type);
    p.bytes({0, 0}); // no password
    const int slots = std::min(h.slots, h.max);
    p.i32(h.max);
    p.i32(slots);
    const int firstPlayer = h.dedicated ? 1 : 0;
    for (int i = 0; i < slots; ++i) {
        const size_t k = static_cast<size_t>(i - firstPlayer);
        if (i < firstPlayer)
            p.str(h.name);
        else if (k < h.names.size())
            p.str(h.names[k]);
        else
            p.str("Player" + std::to_string(i));
    }
    p.zeros(17);
    p.str("v1." + std::to_string(h.patch % 10));
    p.str(h.mods, 500);
    p.u8(h.dedicated);
    p.f32(h.played);
    p.u8(4); // playing
    p.zeros(3);
    p.u8(h.mode);
    p.zeros(3);
    p.str("Welcome", 500);
    p.i32(0);
    p.f32(h.gametime);
    p.i32(slots);
    for (int i = 0; i < slots; ++i) {
        p.u8(0);
        p.u8(i % 2); // deaths
        const size_t k = static_cast<size_t>(i - firstPlayer);
        p.u8(i >= firstPlayer && k < h.teams.size() ? h.teams[k] : 1 + i % 2); // team
        p.zeros(2);
    }
    p.zeros(40);
    p.zeros(1);
    p.u8(0);
    p.f32(0);
    if (h.patch >= 13) {
        for (int i = 0; i < 4; ++i)
            p.f32(10);
    }
    p.zeros(4);
    p.u8(1);
    p.zeros(4);
    p.u8(1);
    p.zeros(3);
    p.f32(0);
    p.u8(1);
    p.u8(1);
    p.zeros(5);
    p.str("none");
    p.zeros(23);
    std::vector<unsigned char>& d = p.data();
    const size_t length = d.size() - 7;
    d[5] = static_cast<unsigned char>(length & 0xff);
    d[6] = static_cast<unsigned char>(length >> 8);
    return d;
}

// Splits at '+' and decodes %XX escapes, so any byte (code page 932 names too) can be given.
std::vector<std::string> plusList(const std::string& value)
{
    std::vector<std::string> items(1);
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '+') {
            items.emplace_back();
        } else if (value[i] == '%' && i + 2 < value.size()) {
            items.back() += static_cast<char>(std::strtol(value.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            items.back() += value[i];
        }
    }
    return items;
}

bool parseOptions(const std::string& options, Host& h)
{
    size_t start = 0;
    while (start <= options.size()) {
        const size_t comma = options.find(',', start);
        const std::string pair = options.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const size_t eq = pair.find('=');
        if (eq == std::string::npos)
            return false;
        const std::string key = pair.substr(0, eq), value = pair.substr(eq + 1);
        const int n = std::atoi(value.c_str());
        if (key == "port")
            h.port = n;
        else if (key == "name")
            h.name = value;
        else if (key == "map")
            h.map = value;
        else if (key == "mission")
            h.mission = value;
        else if (key == "type")
            h.type = value;
        else if (key == "mode")
            h.mode = n;
        else if (key == "dedicated")
            h.dedicated = n;
        else if (key == "slots")
            h.slots = n;
        else if (key == "max")
            h.max = n;
        else if (key == "played")
            h.played = static_cast<float>(std::atof(value.c_str()));
        else if (key == "gametime")
            h.gametime = static_cast<float>(std::atof(value.c_str()));
        else if (key == "patch")
            h.patch = n;
        else if (key == "silent")
            h.silent = n != 0;
        else if (key == "garbage")
            h.garbage = n != 0;
        else if (key == "names")
            h.names = plusList(value);
        else if (key == "teams") {
            h.teams.clear();
            for (const std::string& t : plusList(value))
                h.teams.push_back(std::atoi(t.c_str()));
        } else if (key == "mods") {
            h.mods = value;
            for (char& c : h.mods)
                if (c == '+')
                    c = '\\';
        } else
            return false;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string bindAddress = "127.0.0.1";
    std::vector<Host> hosts;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--bind" && i + 1 < argc) {
            bindAddress = argv[++i];
        } else if (a == "--host" && i + 1 < argc) {
            Host h;
            if (!parseOptions(argv[++i], h)) {
                std::fprintf(stderr, "fake_grhost: bad host options %s\n", argv[i]);
                return 2;
            }
            hosts.push_back(h);
        } else {
            std::fprintf(stderr, "usage: fake_grhost [--bind ADDR] --host key=value,... [--host ...]\n");
            return 2;
        }
    }
    if (hosts.empty()) {
        std::fprintf(stderr, "fake_grhost: no --host given\n");
        return 2;
    }

    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);

    std::vector<pollfd> fds;
    for (Host& h : hosts) {
        h.fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<uint16_t>(h.port));
        if (h.fd < 0 || inet_pton(AF_INET, bindAddress.c_str(), &addr.sin_addr) != 1 ||
            bind(h.fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
            std::fprintf(stderr, "fake_grhost: cannot bind %s:%d: %s\n", bindAddress.c_str(), h.port,
                         std::strerror(errno));
            return 1;
        }
        socklen_t len = sizeof addr;
        getsockname(h.fd, reinterpret_cast<sockaddr*>(&addr), &len);
        h.port = ntohs(addr.sin_port);
        fds.push_back({h.fd, POLLIN, 0});
    }
    for (const Host& h : hosts)
        std::printf("%s:%d\n", bindAddress.c_str(), h.port - 2);
    std::printf("ready\n");
    std::fflush(stdout);

    while (!g_end) {
        if (poll(fds.data(), fds.size(), -1) < 0)
            continue; // a signal; the loop condition decides
        for (size_t i = 0; i < fds.size(); ++i) {
            if (!(fds[i].revents & POLLIN))
                continue;
            unsigned char buf[2048];
            sockaddr_in from = {};
            socklen_t len = sizeof from;
            const ssize_t n = recvfrom(fds[i].fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
            const Host& h = hosts[i];
            if (n != sizeof Request || std::memcmp(buf, Request, sizeof Request) != 0 || h.silent)
                continue;
            std::vector<unsigned char> answer = reply(h);
            if (h.garbage)
                answer.resize(std::min<size_t>(answer.size(), 20));
            sendto(fds[i].fd, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
        }
    }
    for (const Host& h : hosts)
        close(h.fd);
    return 0;
}

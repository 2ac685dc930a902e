// SPDX-License-Identifier: MIT
// Linked into a test program, this replaces the system's name look-up for the whole process: names
// that end in ".hang.invalid" take a minute to fail, as with a resolver that gets no answer, so a
// test can see what the program does meanwhile. Every other name is looked up as usual.
#include <dlfcn.h>
#include <netdb.h>

#include <chrono>
#include <cstring>
#include <thread>

extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** result)
{
    static const char suffix[] = ".hang.invalid";
    const size_t n = node ? std::strlen(node) : 0;
    if (n >= sizeof suffix - 1 && std::strcmp(node + n - (sizeof suffix - 1), suffix) == 0) {
        std::this_thread::sleep_for(std::chrono::minutes(1));
        return EAI_AGAIN;
    }
    using Real = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "getaddrinfo"));
    return real(node, service, hints, result);
}

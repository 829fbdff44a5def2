// Memory running out under a limited address space: the library reports its out-of-memory
// error, not whatever the part of the expression it got to would give, and goes on working.
#include <Quorvex64.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr std::size_t kArguments = 10'000'000;
constexpr std::size_t kRoom = 256u << 20;  // far less than the tokens of the argument list

std::size_t AddressSpaceBytes() {
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace

int main() {
    // The input fits in the room; the tokens of its arguments do not. The bitwise "and" is
    // reduced by the engine, which holds every token.
    std::u16string text = u"and(1";
    text.reserve(2 * kArguments + 8);
    for (std::size_t i = 1; i < kArguments; ++i) text += u",1";
    text += u")";
    const rlimit limit{AddressSpaceBytes() + kRoom, RLIM_INFINITY};
    if (setrlimit(RLIMIT_AS, &limit) != 0) {
        std::perror("setrlimit");
        return 1;
    }
    double value = 0;
    QuorvexError error{};
    const int status = EvaluonEx(text.c_str(), &value, &error);
    const bool reported = status == 1 && std::strcmp(error.errorClass, "Exception") == 0 && error.helpContext == 0 &&
                          std::u16string(error.message) == u"メモリが不足しています";
    const bool goesOn = EvaluonEx(u"1+2", &value, &error) == 0 && value == 3;
    std::printf("out of memory: %s, %s\n",
                reported      ? "reported as such"
                : status == 1 ? error.errorClass
                              : "a value",
                goesOn ? "later calls answer" : "later calls fail");
    return reported && goesOn ? 0 : 1;
}

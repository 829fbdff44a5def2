// Evaluates every expression of a corpus through the library's C interface and compares each
// outcome (value bits, or error class, help context and message) with the expected file that
// the Linux build wrote, so that every platform must give the same answers bit for bit.
// Usage: conformance CORPUS EXPECTED, or conformance CORPUS --write EXPECTED to write it.
#include <Quorvex64.h>
#include <quorvex/quorvex.hpp>

#include <bit>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// One line per expression: status, value bits in hex, class, help context, message with its
// line breaks escaped.
std::string Outcome(const std::string& expression) {
    const std::u16string text(expression.begin(), expression.end());  // the corpus is ASCII
    double value = 0;
    QuorvexError error{};
    char head[64];
    if (EvaluonEx(text.c_str(), &value, &error) == 0) {
        std::snprintf(head, sizeof head, "0\t%016" PRIx64, std::bit_cast<std::uint64_t>(value));
        return head;
    }
    std::string message = quorvex::detail::ToUtf8(error.message);
    for (std::size_t at = 0; (at = message.find_first_of("\r\n", at)) != std::string::npos;) {
        message.replace(at, 1, message[at] == '\r' ? "\\r" : "\\n");
    }
    std::snprintf(head, sizeof head, "1\t%s\t%d\t", error.errorClass, static_cast<int>(error.helpContext));
    return head + message;
}

std::vector<std::string> ReadLines(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    const bool write = argc == 4 && std::strcmp(argv[2], "--write") == 0;
    if (argc != 3 && !write) {
        std::cerr << "usage: conformance CORPUS EXPECTED | conformance CORPUS --write EXPECTED\n";
        return 2;
    }
    const std::vector<std::string> corpus = ReadLines(argv[1]);
    if (write) {
        std::ofstream out(argv[3], std::ios::binary);
        for (const auto& expression : corpus) out << expression << '\t' << Outcome(expression) << '\n';
        return out ? 0 : 1;
    }
    const std::vector<std::string> expected = ReadLines(argv[2]);
    if (expected.size() != corpus.size() || corpus.empty()) {
        std::cerr << "conformance: " << corpus.size() << " expressions but " << expected.size() << " expected lines\n";
        return 1;
    }
    int differences = 0;
    for (std::size_t i = 0; i < corpus.size(); ++i) {
        const std::string line = corpus[i] + '\t' + Outcome(corpus[i]);
        if (line != expected[i] && ++differences <= 20)
            std::cout << "got      " << line << "\nexpected " << expected[i] << '\n';
    }
    std::cout << corpus.size() - static_cast<std::size_t>(differences) << " passed, " << differences << " failed\n";
    return differences == 0 ? 0 : 1;
}

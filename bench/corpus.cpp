// The corpus: hand-written short and typical expressions, and long ones generated from a
// fixed seed out of the same pieces.
#include "corpus.hpp"

#include <random>
#include <string_view>

namespace quorvex::bench {
namespace {

CorpusExpression Spelled(std::string_view text) {
    CorpusExpression e{std::string(text), std::string(text), std::string(text)};
    for (std::string* s : {&e.fparser}) {
        for (std::size_t at = s->find("ln("); at != std::string::npos; at = s->find("ln(", at + 4)) {
            s->replace(at, 3, "log(");
        }
    }
    return e;
}

std::vector<CorpusExpression> Short() {
    std::vector<CorpusExpression> corpus;
    for (std::string_view text : {"sin(0.5)+2^3", "1+2*3", "(1+2)*3", "2^10-1", "sqrt(2)*3", "1/3+1/7", "cos(1)*2",
                                  "exp(1)-2", "ln(10)/2", "(4-1)*(2+5)"}) {
        corpus.push_back(Spelled(text));
    }
    return corpus;
}

std::vector<CorpusExpression> Typical() {
    std::vector<CorpusExpression> corpus;
    for (std::string_view text : {
             "2*sin(0.5236)+cos(0.5)^2-exp(1.5)/3+sqrt(17)*ln(5)",
             "(3.5*2.25-1.125)/(4.75+0.5*8)+sqrt(144)-2^5/16",
             "abs(sin(1.2)-cos(2.4))*100+ln(2.5)*exp(0.25)-7/3",
             "((1+2)*(3+4)*(5+6))/((7-1)*(8-2))+sqrt(2)*sqrt(8)",
             "tan(0.3)+atan(0.7)*2-asin(0.25)+acos(0.5)/3+1.5^2",
             "sinh(0.5)*cosh(0.5)-tanh(0.9)+exp(2)/(1+exp(2))*10",
             "1.05^12*1000-1000+sqrt(1.05*1.05+0.1)*250-ln(3)",
             "(2.5e3*1.2e-2+4.7)/(3.3-1.1)*(6.02+2.98)-12.5/5",
         }) {
        corpus.push_back(Spelled(text));
    }
    return corpus;
}

std::vector<CorpusExpression> Long() {
    const std::vector<std::string_view> pieces = {"sin(0.5)", "2.5*3", "sqrt(2)",    "(1+2)*4", "exp(0.1)",
                                                  "7/3",      "ln(5)", "cos(1.5)^2", "12.75",   "(8-3)/2"};
    std::mt19937 random(1207);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::vector<CorpusExpression> corpus;
    for (int i = 0; i < 8; ++i) {
        std::string text(pieces[pick(random)]);
        while (text.size() < 490) {
            text += random() % 2 == 0 ? "+" : "-";
            text += pieces[pick(random)];
        }
        corpus.push_back(Spelled(text));
    }
    return corpus;
}

}  // namespace

const std::vector<CorpusExpression>& Corpus(SizeClass size) {
    static const std::vector<CorpusExpression> kShort = Short();
    static const std::vector<CorpusExpression> kTypical = Typical();
    static const std::vector<CorpusExpression> kLong = Long();
    switch (size) {
        case SizeClass::kShort: return kShort;
        case SizeClass::kTypical: return kTypical;
        default: return kLong;
    }
}

const char* SizeClassName(SizeClass size) {
    switch (size) {
        case SizeClass::kShort: return "short";
        case SizeClass::kTypical: return "typical";
        default: return "long";
    }
}

}  // namespace quorvex::bench

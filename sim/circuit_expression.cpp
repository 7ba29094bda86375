#include "circuit_expression.h"

#include <cctype>

#include "sim_text.h"

namespace vanto::sim {
namespace {

// Parameters that make the familiar curves: a small-signal silicon diode
// (knee near 0.6 V), a Schottky (0.25 V), a red LED (1.8 V), and a zener's
// forward junction.
constexpr DiodeModel kSilicon{2.52e-9, 1.752, 0.0, 1e-3, 2.0};
constexpr DiodeModel kSchottky{2e-7, 1.0, 0.0, 1e-3, 2.0};
constexpr DiodeModel kLed{1e-19, 1.9, 0.0, 1e-3, 2.0};
constexpr DiodeModel kZenerForward{1e-12, 1.1, 0.0, 1e-3, 2.0};

bool IsOperator(char c) {
  return c == '+' || c == '|' || c == '(' || c == ')' || c == '!';
}

std::string_view WithoutSuffix(std::string_view text, std::string_view suffix) {
  if (text.size() > suffix.size() &&
      EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix)) {
    return text.substr(0, text.size() - suffix.size());
  }
  return text;
}

class Parser {
 public:
  explicit Parser(std::string text) : text_(std::move(text)) {}

  CircuitParse Run() {
    CircuitParse result;
    std::optional<CircuitPart> part = Series();
    if (part && pos_ != text_.size()) Fail("unexpected '" + std::string(1, text_[pos_]) + "'");
    if (!error_.empty()) {
      result.error = error_;
      return result;
    }
    result.part = std::move(part);
    return result;
  }

 private:
  std::optional<CircuitPart> Series() {
    std::optional<CircuitPart> first = Parallel();
    if (!first) return std::nullopt;
    if (Peek() != '+') return first;
    CircuitPart series;
    series.kind = PartKind::kSeries;
    series.parts.push_back(std::move(*first));
    while (Peek() == '+') {
      ++pos_;
      std::optional<CircuitPart> next = Parallel();
      if (!next) return std::nullopt;
      series.parts.push_back(std::move(*next));
    }
    return series;
  }

  std::optional<CircuitPart> Parallel() {
    std::optional<CircuitPart> first = Unary();
    if (!first) return std::nullopt;
    if (Peek() != '|') return first;
    CircuitPart parallel;
    parallel.kind = PartKind::kParallel;
    parallel.parts.push_back(std::move(*first));
    while (Peek() == '|') {
      ++pos_;
      std::optional<CircuitPart> next = Unary();
      if (!next) return std::nullopt;
      parallel.parts.push_back(std::move(*next));
    }
    return parallel;
  }

  std::optional<CircuitPart> Unary() {
    char c = Peek();
    if (c == '!') {
      ++pos_;
      std::optional<CircuitPart> inner = Unary();
      if (!inner) return std::nullopt;
      return Reversed(*inner);
    }
    if (c == '(') {
      ++pos_;
      std::optional<CircuitPart> inner = Series();
      if (!inner) return std::nullopt;
      if (Peek() != ')') return Fail("missing ')'");
      ++pos_;
      return inner;
    }
    std::size_t start = pos_;
    while (pos_ < text_.size() && !IsOperator(text_[pos_])) ++pos_;
    if (pos_ == start) {
      return Fail(pos_ < text_.size() ? "unexpected '" + std::string(1, text_[pos_]) + "'"
                                      : "a part is missing at the end");
    }
    return Element(std::string_view(text_).substr(start, pos_ - start));
  }

  std::optional<CircuitPart> Element(std::string_view token) {
    CircuitPart part;
    if (EqualsIgnoringCase(token, "open") || EqualsIgnoringCase(token, "nc")) return OpenCircuit();
    if (EqualsIgnoringCase(token, "short")) return ShortCircuit();
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(token.front())));
    std::string_view rest = token.substr(1);
    switch (letter) {
      case 'R': {
        rest = WithoutSuffix(WithoutSuffix(rest, "ohms"), "ohm");
        std::optional<double> ohms = ParseComponentValue(rest);
        if (!ohms || *ohms <= 0.0)
          return Fail("bad resistor value in '" + std::string(token) + "'");
        part.kind = PartKind::kResistor;
        part.value = *ohms;
        return part;
      }
      case 'C': {
        rest = WithoutSuffix(rest, "F");
        std::optional<double> farads = ParseComponentValue(rest);
        if (!farads || *farads <= 0.0) {
          return Fail("bad capacitor value in '" + std::string(token) + "'");
        }
        part.kind = PartKind::kCapacitor;
        part.value = *farads;
        return part;
      }
      case 'D': {
        part.kind = PartKind::kDiode;
        part.anodeUp = true;
        if (rest.empty()) {
          part.diode = kSilicon;
        } else if (EqualsIgnoringCase(rest, "S")) {
          part.diode = kSchottky;
        } else if (EqualsIgnoringCase(rest, "L")) {
          part.diode = kLed;
        } else {
          return Fail("unknown diode '" + std::string(token) + "' (D, DS or DL)");
        }
        return part;
      }
      case 'Z': {
        std::optional<double> volts = ParseComponentValue(rest);
        if (!volts || *volts <= 0.0)
          return Fail("bad zener voltage in '" + std::string(token) + "'");
        part.kind = PartKind::kDiode;
        part.diode = kZenerForward;
        part.diode.breakdownVolts = *volts;
        // Fitted the usual way round: cathode on the node, so a positive
        // node voltage finds the breakdown.
        part.anodeUp = false;
        return part;
      }
      default: return Fail("unknown part '" + std::string(token) + "'");
    }
  }

  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

  std::nullopt_t Fail(const std::string& message) {
    if (error_.empty()) error_ = message;
    return std::nullopt;
  }

  std::string text_;
  std::size_t pos_ = 0;
  std::string error_;
};

}  // namespace

CircuitParse ParseCircuit(std::string_view text) {
  std::string compact;
  for (char c : text) {
    if (!std::isspace(static_cast<unsigned char>(c))) compact += c;
  }
  if (compact.empty()) return {std::nullopt, "empty circuit"};
  return Parser(compact).Run();
}

CircuitPart Reversed(const CircuitPart& part) {
  CircuitPart turned = part;
  switch (part.kind) {
    case PartKind::kDiode: turned.anodeUp = !part.anodeUp; break;
    case PartKind::kSeries:
      turned.parts.clear();
      for (auto it = part.parts.rbegin(); it != part.parts.rend(); ++it) {
        turned.parts.push_back(Reversed(*it));
      }
      break;
    case PartKind::kParallel:
      for (CircuitPart& member : turned.parts) member = Reversed(member);
      break;
    default: break;
  }
  return turned;
}

CircuitPart SeriesOf(CircuitPart upper, CircuitPart lower) {
  CircuitPart series;
  series.kind = PartKind::kSeries;
  series.parts.push_back(std::move(upper));
  series.parts.push_back(std::move(lower));
  return series;
}

CircuitPart ShortCircuit() {
  CircuitPart part;
  part.kind = PartKind::kShort;
  return part;
}

CircuitPart OpenCircuit() {
  CircuitPart part;
  part.kind = PartKind::kOpen;
  return part;
}

}  // namespace vanto::sim

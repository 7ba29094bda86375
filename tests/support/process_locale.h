// Runs a test under another process locale, the way QApplication switches
// the whole process to the desktop's locale (setlocale(LC_ALL, "")) at
// start-up, and back to "C" at the end. A locale that is not installed
// fails the test: scripts/install-deps.sh generates the ones listed here.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <memory>
#include <string>
#include <vector>

namespace vanto::testing {

// "C", and two locales whose decimal point is a comma.
inline const std::vector<std::string>& TestLocales() {
  static const std::vector<std::string> names = {"C", "de_DE.UTF-8", "fr_FR.UTF-8"};
  return names;
}

class ProcessLocale {
 public:
  explicit ProcessLocale(const std::string& name)
      : name_(name), switched_(std::setlocale(LC_ALL, name.c_str()) != nullptr) {}
  ~ProcessLocale() { std::setlocale(LC_ALL, "C"); }
  ProcessLocale(const ProcessLocale&) = delete;
  ProcessLocale& operator=(const ProcessLocale&) = delete;

  // Use as ASSERT_TRUE(locale.Active()).
  ::testing::AssertionResult Active() const {
    if (switched_) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the locale " << name_
           << " is not installed; scripts/install-deps.sh generates it (locale-gen)";
  }

 private:
  std::string name_;
  bool switched_;
};

// A test run once under each of TestLocales(); the locale is active for the
// whole test body.
class EachLocaleTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    locale_ = std::make_unique<ProcessLocale>(GetParam());
    ASSERT_TRUE(locale_->Active());
  }
  void TearDown() override { locale_.reset(); }

 private:
  std::unique_ptr<ProcessLocale> locale_;
};

// Names a locale case in test names: "de_DE.UTF-8" -> "de_DE_UTF_8".
inline std::string LocaleTestName(const std::string& name) {
  std::string out;
  for (char c : name) out += (std::isalnum(static_cast<unsigned char>(c)) != 0) ? c : '_';
  return out;
}

#define VANTO_INSTANTIATE_FOR_EACH_LOCALE(suite)                                   \
  INSTANTIATE_TEST_SUITE_P(Locales, suite,                                        \
                           ::testing::ValuesIn(::vanto::testing::TestLocales()), \
                           [](const ::testing::TestParamInfo<std::string>& info) { \
                             return ::vanto::testing::LocaleTestName(info.param);  \
                           })

}  // namespace vanto::testing

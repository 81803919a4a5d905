#pragma once
// The GUI tests are several QtTest classes in one executable; each file registers its
// class here and main() runs them all.
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace lg81xx::gui::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& test_registry();

template <typename T>
struct RegisterTest {
  RegisterTest() {
    test_registry().push_back([] { return std::make_unique<T>(); });
  }
};

}  // namespace lg81xx::gui::testing

#define LG81XX_GUI_TEST(Class) static const ::lg81xx::gui::testing::RegisterTest<Class> register_##Class

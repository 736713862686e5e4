#include "lyre/song/boxed.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lyre {
namespace {

using Box = Boxed<std::vector<std::string>>;

struct EqualityCase {
  const char* what;
  Box a;
  Box b;
  bool equal;
};

TEST(Boxed, ComparesByValueWithUnsetAsTheDefault) {
  const std::vector<EqualityCase> cases = {
      {"both unset", Box(), Box(), true},
      {"unset and a default value", Box(), Box(std::vector<std::string>{}), true},
      {"unset and a value", Box(), Box({"a"}), false},
      {"equal values", Box({"a", "b"}), Box({"a", "b"}), true},
      {"different values", Box({"a"}), Box({"b"}), false},
  };
  for (const EqualityCase& c : cases) {
    EXPECT_EQ(c.a == c.b, c.equal) << c.what;
    EXPECT_EQ(c.b == c.a, c.equal) << c.what;
  }
}

TEST(Boxed, AssignKeepsOnlyValuesOtherThanTheDefault) {
  Box box;
  box.assign({});
  EXPECT_FALSE(box.is_set());
  box.assign({"a"});
  ASSERT_TRUE(box.is_set());
  EXPECT_EQ(box.get(), (std::vector<std::string>{"a"}));
  box.assign({});
  EXPECT_FALSE(box.is_set());
  EXPECT_TRUE(box.get().empty());
}

TEST(Boxed, CopiesAreIndependent) {
  Box original({"a"});
  Box copy = original;
  copy.edit().push_back("b");
  EXPECT_EQ(original.get(), (std::vector<std::string>{"a"}));
  EXPECT_EQ(copy.get(), (std::vector<std::string>{"a", "b"}));

  Box unset;
  Box assigned({"x"});
  assigned = unset;
  EXPECT_FALSE(assigned.is_set());
  unset.edit().push_back("y");
  EXPECT_TRUE(assigned.get().empty());
}

}  // namespace
}  // namespace lyre

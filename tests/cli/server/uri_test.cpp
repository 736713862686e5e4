#include "cli/server/uri.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace lyre::server {
namespace {

struct UriCase {
  const char* name;
  std::string uri;
  std::string path;  // "-" for none
};

void PrintTo(const UriCase& c, std::ostream* os) { *os << c.name; }

class PathOfUriTest : public ::testing::TestWithParam<UriCase> {};

TEST_P(PathOfUriTest, Decodes) {
  EXPECT_EQ(path_of_uri(GetParam().uri).value_or("-"), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Uris, PathOfUriTest,
    ::testing::Values(UriCase{"Plain", "file:///home/ann/song.track", "/home/ann/song.track"},
                      UriCase{"Space", "file:///home/ann/my%20song.track",
                              "/home/ann/my song.track"},
                      UriCase{"LowerHex", "file:///a%c3%a9.track", "/a\xC3\xA9.track"},
                      UriCase{"EncodedColon", "file:///c%3A/x.track", "/c:/x.track"},
                      UriCase{"LonePercent", "file:///100%.track", "/100%.track"},
                      UriCase{"BadHex", "file:///%zz.track", "/%zz.track"},
                      UriCase{"Localhost", "file://localhost/x.track", "/x.track"},
                      UriCase{"SchemeInAnyCase", "FILE:///x.track", "/x.track"},
                      UriCase{"QueryAndFragmentDropped", "file:///x.track?a=1#b", "/x.track"},
                      UriCase{"OtherHost", "file://server/x.track", "-"},
                      UriCase{"NoPath", "file://", "-"}, UriCase{"NulByte", "file:///a%00b", "-"},
                      UriCase{"Untitled", "untitled:Untitled-1", "-"},
                      UriCase{"Remote", "https://example.com/x.track", "-"}));

struct PathCase {
  const char* name;
  std::string path;
  std::string uri;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class UriOfPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(UriOfPathTest, EncodesAndComesBack) {
  EXPECT_EQ(uri_of_path(GetParam().path), GetParam().uri);
  EXPECT_EQ(path_of_uri(GetParam().uri).value_or("-"), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UriOfPathTest,
    ::testing::Values(PathCase{"Plain", "/home/ann/song.track", "file:///home/ann/song.track"},
                      PathCase{"Unreserved", "/a-b_c~d.e", "file:///a-b_c~d.e"},
                      PathCase{"Space", "/my song.track", "file:///my%20song.track"},
                      PathCase{"Reserved", "/a#b?c%d:e", "file:///a%23b%3Fc%25d%3Ae"},
                      PathCase{"Utf8", "/\xC3\xA9.track", "file:///%C3%A9.track"}));

}  // namespace
}  // namespace lyre::server

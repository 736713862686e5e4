#include "docformat/imports/imports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "docformat/text.h"
#include "test_sections.h"

namespace lyre::docformat {
namespace {

using testing::Items;
using testing::names;
using Strings = std::vector<std::string>;

TEST(ParseImports, ReadsTargetAliasAndRefresh) {
  std::vector<std::string_view> header = {"@import std:drums as kit refresh",
                                          " @import indented",
                                          "@import",
                                          "@import\tx",
                                          "@import   ",
                                          "@import a as",
                                          "@import b as as refresh",
                                          "@import c as x as y junk"};
  // Each import knows where its target stands: file line and bytes.
  EXPECT_EQ(parse_imports(header), (std::vector<Import>{{"std:drums", "kit", true, {1, 8, 17}},
                                                        {"a", std::nullopt, false, {6, 8, 9}},
                                                        {"b", "as", true, {7, 8, 9}},
                                                        {"c", "y", false, {8, 8, 9}}}));
}

struct PathCase {
  std::optional<std::string> base;
  const char* target;
  const char* resolved;
};

TEST(ResolveImportPath, FollowsTheTargetKind) {
  const PathCase cases[] = {
      {"songs", "sub/kit.track", "songs/sub/kit.track"},
      {"songs/", "kit.track", "songs/kit.track"},
      {"", "kit.track", "kit.track"},
      {"songs", "/abs/kit.track", "/abs/kit.track"},
      {"songs", "std:drums", "std:drums"},
      {"songs", "https://x/y.track", "https://x/y.track"},
      {"songs", "a/b:c", "songs/a/b:c"},
      {std::nullopt, "kit.track", "kit.track"},
      {"https://host/lib//", "k.track", "https://host/lib/k.track"},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(resolve_import_path(c.base, c.target), c.resolved) << c.target;
  }
}

TEST(ParentPath, MatchesPathComponents) {
  EXPECT_EQ(parent_path("x.track"), "");
  EXPECT_EQ(parent_path("songs/main.track"), "songs");
  EXPECT_EQ(parent_path("/abs.track"), "/");
  EXPECT_EQ(parent_path("std:drums"), "");
  EXPECT_EQ(parent_path("a//b/"), "a");
  EXPECT_EQ(parent_path("/"), std::nullopt);
  EXPECT_EQ(parent_path(""), std::nullopt);
}

TEST(CacheKey, NormalisesPathsThatCannotBeResolved) {
  EXPECT_EQ(cache_key("std:drums"), "std:drums");
  EXPECT_EQ(cache_key("https://x//y"), "https://x//y");
  EXPECT_EQ(cache_key("missing-dir//./x.track/"), "missing-dir/x.track");
  EXPECT_EQ(cache_key("./missing.track"), "./missing.track");
}

// An in-memory set of sources; records every fetch.
struct Library {
  std::map<std::string, std::string> files;
  Strings fetched;

  Fetch fetch() {
    return [this](const std::string& path, bool, const ImportedBy&) -> std::optional<std::string> {
      fetched.push_back(path);
      auto it = files.find(path);
      if (it == files.end()) return std::nullopt;
      return it->second;
    };
  }
};

std::expected<Document<Items>, ParseError> resolved(std::string_view text, Library& library,
                                                    std::optional<std::string> base = "") {
  auto doc = parse_document<Items>(text, false);
  EXPECT_TRUE(doc.has_value());
  auto ok = resolve_imports_with_strictness(*doc, base, false, false, library.fetch());
  if (!ok) return std::unexpected(ok.error());
  return doc;
}

TEST(ResolveImports, FirstDefinitionWinsDepthFirst) {
  Library lib;
  lib.files["one.track"] = "@import nested.track\n# Items\n## a\none\n## b\n";
  lib.files["nested.track"] = "# Items\n## b\nnested\n## c\nnested\n";
  lib.files["two.track"] = "# Items\n## c\ntwo\n## d\n";
  auto doc = resolved("@import one.track\n@import two.track\n# Items\n## a\nmine\n", lib);
  ASSERT_TRUE(doc.has_value());
  EXPECT_EQ(names(doc->sections.items), (Strings{"a", "b", "c", "d"}));
  EXPECT_EQ(doc->sections.items.entries[0].value.refs, (Strings{"mine"}));
  EXPECT_EQ(doc->sections.items.entries[2].value.refs, (Strings{"nested"}));
  EXPECT_EQ(doc->sections.items.entries[0].origin, std::nullopt);
  EXPECT_EQ(doc->sections.items.entries[2].origin, "nested.track");
  EXPECT_EQ(lib.fetched, (Strings{"one.track", "nested.track", "two.track"}));
}

TEST(ResolveImports, EachSourceLoadsOnceAndCyclesEnd) {
  Library lib;
  lib.files["a.track"] = "@import b.track\n# Items\n## a\n";
  lib.files["b.track"] = "@import a.track\n@import b.track\n# Items\n## b\n";
  auto doc = resolved("@import a.track\n@import a.track\n@import a.track//\n", lib);
  ASSERT_TRUE(doc.has_value());
  EXPECT_EQ(names(doc->sections.items), (Strings{"a", "b"}));
  EXPECT_EQ(lib.fetched, (Strings{"a.track", "b.track"}));
}

TEST(ResolveImports, AliasQualifiesOnlyCollisions) {
  Library lib;
  lib.files["kit.track"] = "# Items\n## kick\n## hat\nkick\n";
  auto doc = resolved("@import kit.track as kit\n# Items\n## kick\n", lib);
  ASSERT_TRUE(doc.has_value());
  EXPECT_EQ(names(doc->sections.items), (Strings{"kick", "kit::kick", "hat"}));
  EXPECT_EQ(doc->sections.items.entries[2].value.refs, (Strings{"kit::kick"}));
}

TEST(ResolveImports, NestedImportsResolveAgainstTheImportedFile) {
  Library lib;
  lib.files["songs/sub/kit.track"] = "@import more.track\n";
  auto doc = resolved("@import sub/kit.track\n", lib, "songs");
  ASSERT_TRUE(doc.has_value());
  EXPECT_EQ(lib.fetched, (Strings{"songs/sub/kit.track", "songs/sub/more.track"}));
}

TEST(ResolveImports, ParseErrorsNameTheImport) {
  Library lib;
  lib.files["ok.track"] = "@import bad.track\n";
  lib.files["bad.track"] = "\n\n# Items\n## x\nbad\n";
  auto doc = resolved("@import ok.track\n@import never.track\n", lib);
  ASSERT_FALSE(doc.has_value());
  EXPECT_EQ(doc.error().text(), "in import bad.track: line 5: bad item line");
  EXPECT_EQ(lib.fetched, (Strings{"ok.track", "bad.track"}));
}

TEST(ResolveImports, LongChainsNeedNoDeepStack) {
  Library lib;
  const int length = 20000;
  for (int i = 0; i < length; ++i) {
    lib.files[cat("f", std::to_string(i))] =
        cat("@import f", std::to_string(i + 1), "\n# Items\n## e", std::to_string(i), "\n");
  }
  auto doc = resolved("@import f0\n", lib);
  ASSERT_TRUE(doc.has_value());
  EXPECT_EQ(doc->sections.items.entries.size(), static_cast<std::size_t>(length));
}

// Every entry of both lists as "name <refs> from origin".
Strings describe(const Items& sections) {
  Strings out;
  for (const SectionList<testing::Item>* list : {&sections.items, &sections.others}) {
    for (const auto& entry : list->entries) {
      std::string line = entry.name + " <";
      for (const std::string& ref : entry.value.refs) line += ref + " ";
      out.push_back(line + "> from " + entry.origin.value_or("-"));
    }
  }
  return out;
}

// Importers that take the same cached sources with and without aliases, in
// different orders, so that renames of one import must not leak into the
// next and precedence must follow each importer's own order.
TEST(SourceCache, ReusedSourcesGiveWhatParsingAgainGives) {
  Library lib;
  lib.files["lib:kit"] = "# Items\n## kick\nhat\n## hat\n# Others\n## kick\n";
  lib.files["lib:all"] = "@import lib:kit\n@import local.track\n# Items\n## pad\nkick\n";
  lib.files["local.track"] = "# Items\n## pad\nlocal\n## hat\nlocal\n";
  const char* importers[] = {
      "@import lib:kit as k\n# Items\n## kick\n## song\nkick\n",
      "@import lib:kit\n# Items\n## kick\nmine\n",
      "@import lib:all as a\n@import lib:kit as k\n# Items\n## hat\n",
      "@import local.track\n@import lib:all\n",
      "@import lib:kit as k\n@import lib:kit as other\n# Others\n## kick\n",
  };
  SourceCache<Items> cache([](std::string_view path) { return path.starts_with("lib:"); },
                           /*strict=*/false);
  std::size_t local_loads = 0;
  for (int round = 0; round < 2; ++round) {
    for (const char* text : importers) {
      Library fresh{lib.files, {}};
      auto expected = resolved(text, fresh);
      ASSERT_TRUE(expected.has_value()) << text;
      auto doc = parse_document<Items>(text, false);
      ASSERT_TRUE(doc.has_value());
      ASSERT_TRUE(resolve_imports_with_strictness(*doc, "", false, false, lib.fetch(), &cache));
      EXPECT_EQ(describe(doc->sections), describe(expected->sections)) << text;
      local_loads += std::count(fresh.fetched.begin(), fresh.fetched.end(), "local.track");
    }
  }
  // Kept sources are fetched once for the whole run; others every time.
  EXPECT_EQ(std::count(lib.fetched.begin(), lib.fetched.end(), "lib:kit"), 1);
  EXPECT_EQ(std::count(lib.fetched.begin(), lib.fetched.end(), "lib:all"), 1);
  EXPECT_EQ(std::count(lib.fetched.begin(), lib.fetched.end(), "local.track"), local_loads);
}

// Kept sources are told apart by their names, cold cache or warm: a cycle
// through them ends, and each loads once for the whole run.
TEST(SourceCache, KeptSourcesInACycleLoadOnce) {
  Library lib;
  lib.files["lib:a"] = "@import lib:b\n# Items\n## a\n";
  lib.files["lib:b"] = "@import lib:a\n@import lib:b\n# Items\n## b\n";
  SourceCache<Items> cache([](std::string_view path) { return path.starts_with("lib:"); },
                           /*strict=*/false);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    auto doc = parse_document<Items>("@import lib:a\n@import lib:b\n@import lib:a\n", false);
    ASSERT_TRUE(doc.has_value());
    ASSERT_TRUE(resolve_imports_with_strictness(*doc, "", false, false, lib.fetch(), &cache));
    EXPECT_EQ(names(doc->sections.items), (Strings{"a", "b"}));
  }
  EXPECT_EQ(lib.fetched, (Strings{"lib:a", "lib:b"}));
}

TEST(SourceCache, AnAliasedImportOfACachedSourceRenamesOnlyItsCopy) {
  Library lib;
  lib.files["lib:kit"] = "# Items\n## kick\n## song\nkick\n";
  SourceCache<Items> cache([](std::string_view) { return true; }, /*strict=*/false);
  auto resolve = [&](std::string_view text) {
    auto doc = parse_document<Items>(text, false);
    EXPECT_TRUE(resolve_imports_with_strictness(*doc, "", false, false, lib.fetch(), &cache));
    return describe(doc->sections);
  };
  EXPECT_EQ(resolve("@import lib:kit as k\n# Items\n## kick\n"),
            (Strings{"kick <> from -", "k::kick <> from lib:kit", "song <k::kick > from lib:kit"}));
  EXPECT_EQ(resolve("@import lib:kit\n"),
            (Strings{"kick <> from lib:kit", "song <kick > from lib:kit"}));
}

TEST(SourceCache, ServesOnlyItsOwnStrictness) {
  Library lib;
  lib.files["lib:kit"] = "stray\n# Items\n## kick\n";
  SourceCache<Items> cache([](std::string_view) { return true; }, /*strict=*/false);
  auto lenient = parse_document<Items>("@import lib:kit\n", false);
  ASSERT_TRUE(resolve_imports_with_strictness(*lenient, "", false, false, lib.fetch(), &cache));
  auto strict = parse_document<Items>("@import lib:kit\n", true);
  auto failed = resolve_imports_with_strictness(*strict, "", false, true, lib.fetch(), &cache);
  ASSERT_FALSE(failed.has_value());
  EXPECT_EQ(failed.error().text(), "in import lib:kit: line outside any section: stray");
}

}  // namespace
}  // namespace lyre::docformat

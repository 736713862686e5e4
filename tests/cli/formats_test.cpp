#include "cli/formats.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace lyre::cli {
namespace {

const Finding tempo{
    "songs/a.track", 10, 8, 10, 12, Severity::Error, "parse", "invalid number for tempo: 'fast'"};
const Finding motif{
    "b.track", 3, 9, 3, 16, Severity::Warning, "unknown-motif", "unknown motif 'drip_rn'"};
// Paths and messages are UTF-8 and pass through every format unchanged.
const Finding accented{"chansons/été.track",   2, 5, 2, 9, Severity::Warning, "unknown-sound",
                       "unknown sound 'flûte'"};
// Characters that workflow commands read as syntax.
const Finding awkward{"a,b:c%.track",         1, 1, 1, 2, Severity::Error, "header",
                      "50% off\r\nnext: a, b"};

struct RenderCase {
  const char* name;
  Format format;
  std::vector<Finding> findings;
  std::string out;
};

void PrintTo(const RenderCase& c, std::ostream* os) { *os << c.name; }

class RenderTest : public ::testing::TestWithParam<RenderCase> {};

TEST_P(RenderTest, WritesWholeOutput) {
  const RenderCase& c = GetParam();
  EXPECT_EQ(render(c.format, c.findings), c.out);
}

// The rule catalogue as every SARIF log lists it.
const std::string sarif_rules = R"(          "rules": [
            {
              "id": "read",
              "shortDescription": {
                "text": "The file cannot be read as UTF-8 text."
              },
              "defaultConfiguration": {
                "level": "error"
              }
            },
            {
              "id": "parse",
              "shortDescription": {
                "text": "An entry or heading does not parse."
              },
              "defaultConfiguration": {
                "level": "error"
              }
            },
            {
              "id": "header",
              "shortDescription": {
                "text": "A stray line in the document header or before the first entry of a section."
              },
              "defaultConfiguration": {
                "level": "error"
              }
            },
            {
              "id": "import",
              "shortDescription": {
                "text": "An @import cannot be resolved, read or parsed."
              },
              "defaultConfiguration": {
                "level": "error"
              }
            },
            {
              "id": "unknown-layer",
              "shortDescription": {
                "text": "A song names a layer that no entry defines."
              },
              "defaultConfiguration": {
                "level": "error"
              }
            },
            {
              "id": "unknown-sound",
              "shortDescription": {
                "text": "A sound that no entry and no built-in instrument defines."
              },
              "defaultConfiguration": {
                "level": "error"
              }
            },
            {
              "id": "unknown-subtrack",
              "shortDescription": {
                "text": "A subtrack placement names no layer."
              },
              "defaultConfiguration": {
                "level": "warning"
              }
            },
            {
              "id": "unknown-motif",
              "shortDescription": {
                "text": "A motif placement or jump transition names no motif."
              },
              "defaultConfiguration": {
                "level": "warning"
              }
            },
            {
              "id": "unknown-tuning",
              "shortDescription": {
                "text": "A layer or placement names no tuning."
              },
              "defaultConfiguration": {
                "level": "warning"
              }
            },
            {
              "id": "unknown-wave",
              "shortDescription": {
                "text": "A harmonic source is neither a built-in waveform nor a wave entry."
              },
              "defaultConfiguration": {
                "level": "warning"
              }
            },
            {
              "id": "unknown-reverb",
              "shortDescription": {
                "text": "A reverb effect names no reverb preset."
              },
              "defaultConfiguration": {
                "level": "warning"
              }
            },
            {
              "id": "unknown-marker",
              "shortDescription": {
                "text": "A @jump-at names no marker of its song."
              },
              "defaultConfiguration": {
                "level": "warning"
              }
            },
            {
              "id": "duplicate-entry",
              "shortDescription": {
                "text": "A later entry of a section repeats the name of an earlier one, which is used instead."
              },
              "defaultConfiguration": {
                "level": "warning"
              }
            }
          ]
)";

const std::string sarif_head = R"({
  "$schema": "https://docs.oasis-open.org/sarif/sarif/v2.1.0/os/schemas/sarif-schema-2.1.0.json",
  "version": "2.1.0",
  "runs": [
    {
      "tool": {
        "driver": {
          "name": "lyre",
          "version": "0.2.0",
)" + sarif_rules.substr(0, sarif_rules.size() - 1) +
                               "\n        }\n      },\n";

INSTANTIATE_TEST_SUITE_P(
    Formats, RenderTest,
    ::testing::Values(
        RenderCase{"TextNothing", Format::Text, {}, ""},
        RenderCase{"TextOneALine",
                   Format::Text,
                   {tempo, motif},
                   "songs/a.track:10:8: error: invalid number for tempo: 'fast' [parse]\n"
                   "b.track:3:9: warning: unknown motif 'drip_rn' [unknown-motif]\n"},
        RenderCase{"TextUtf8",
                   Format::Text,
                   {accented},
                   "chansons/été.track:2:5: warning: unknown sound 'flûte' [unknown-sound]\n"},
        RenderCase{"JsonNothing", Format::Json, {}, "[]\n"},
        // Findings are rendered one by one and indented after each line
        // break, so a break or a stray byte inside a text must stay escaped.
        RenderCase{
            "JsonEscapesInsideItems",
            Format::Json,
            {Finding{"x.track", 1, 1, 1, 2, Severity::Error, "parse", "a\n  b\xFF\"}"}},
            "[\n  {\n    \"path\": \"x.track\",\n    \"line\": 1,\n    \"column\": 1,\n"
            "    \"end_line\": 1,\n    \"end_column\": 2,\n    \"severity\": \"error\",\n"
            "    \"rule\": \"parse\",\n    \"message\": \"a\\n  b\xEF\xBF\xBD\\\"}\"\n  }\n]\n"},
        RenderCase{"JsonFieldsInOrder", Format::Json, {tempo, accented}, R"([
  {
    "path": "songs/a.track",
    "line": 10,
    "column": 8,
    "end_line": 10,
    "end_column": 12,
    "severity": "error",
    "rule": "parse",
    "message": "invalid number for tempo: 'fast'"
  },
  {
    "path": "chansons/été.track",
    "line": 2,
    "column": 5,
    "end_line": 2,
    "end_column": 9,
    "severity": "warning",
    "rule": "unknown-sound",
    "message": "unknown sound 'flûte'"
  }
]
)"},
        RenderCase{"JsonEscapesControlCharacters", Format::Json, {awkward}, R"([
  {
    "path": "a,b:c%.track",
    "line": 1,
    "column": 1,
    "end_line": 1,
    "end_column": 2,
    "severity": "error",
    "rule": "header",
    "message": "50% off\r\nnext: a, b"
  }
]
)"},
        RenderCase{"SarifNothing",
                   Format::Sarif,
                   {},
                   sarif_head + "      \"results\": []\n    }\n  ]\n}\n"},
        RenderCase{
            "SarifResults", Format::Sarif, {tempo, accented}, sarif_head + R"(      "results": [
        {
          "ruleId": "parse",
          "level": "error",
          "message": {
            "text": "invalid number for tempo: 'fast'"
          },
          "locations": [
            {
              "physicalLocation": {
                "artifactLocation": {
                  "uri": "songs/a.track"
                },
                "region": {
                  "startLine": 10,
                  "startColumn": 8,
                  "endLine": 10,
                  "endColumn": 12
                }
              }
            }
          ]
        },
        {
          "ruleId": "unknown-sound",
          "level": "warning",
          "message": {
            "text": "unknown sound 'flûte'"
          },
          "locations": [
            {
              "physicalLocation": {
                "artifactLocation": {
                  "uri": "chansons/été.track"
                },
                "region": {
                  "startLine": 2,
                  "startColumn": 5,
                  "endLine": 2,
                  "endColumn": 9
                }
              }
            }
          ]
        }
      ]
    }
  ]
}
)"},
        RenderCase{"GithubNothing", Format::Github, {}, ""},
        RenderCase{"GithubOneCommandAFinding",
                   Format::Github,
                   {tempo, motif},
                   "::error file=songs/a.track,line=10,col=8,endLine=10,endColumn=12,title=parse::"
                   "invalid number for tempo: 'fast'\n"
                   "::warning file=b.track,line=3,col=9,endLine=3,endColumn=16,"
                   "title=unknown-motif::unknown motif 'drip_rn'\n"},
        RenderCase{"GithubUtf8",
                   Format::Github,
                   {accented},
                   "::warning file=chansons/été.track,line=2,col=5,endLine=2,endColumn=9,"
                   "title=unknown-sound::unknown sound 'flûte'\n"},
        // The message keeps ':' and ','; properties escape them too.
        RenderCase{"GithubEscapes",
                   Format::Github,
                   {awkward},
                   "::error file=a%2Cb%3Ac%25.track,line=1,col=1,endLine=1,endColumn=2,"
                   "title=header::50%25 off%0D%0Anext: a, b\n"}));

}  // namespace
}  // namespace lyre::cli

#include "cli/server/framing.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

namespace lyre::server {
namespace {

// Hands out its text one byte per read, as a slow pipe would.
class TrickleBuffer : public std::streambuf {
 public:
  explicit TrickleBuffer(std::string text) : text_(std::move(text)) {}

 protected:
  int_type underflow() override {
    if (next_ >= text_.size()) return traits_type::eof();
    setg(&text_[next_], &text_[next_], &text_[next_] + 1);
    ++next_;
    return traits_type::to_int_type(text_[next_ - 1]);
  }

 private:
  std::string text_;
  std::size_t next_ = 0;
};

const char* name_of(FramingProblem problem) {
  switch (problem) {
    case FramingProblem::EndOfInput:
      return "end";
    case FramingProblem::MissingLength:
      return "missing length";
    case FramingProblem::InvalidLength:
      return "invalid length";
    case FramingProblem::TooLarge:
      return "too large";
    case FramingProblem::MalformedHeader:
      return "malformed header";
    case FramingProblem::LongHeader:
      return "long header";
  }
  return "?";
}

// Every read until the end of input: bodies in brackets, problems in angles.
std::string dump_reads(std::istream& in, std::size_t max_bytes) {
  MessageReader reader(in, max_bytes);
  std::string out;
  for (int reads = 0; reads < 100; ++reads) {
    auto body = reader.next();
    if (!out.empty()) out += ' ';
    if (body) {
      out += "[" + *body + "]";
      continue;
    }
    out += std::string("<") + name_of(body.error()) + ">";
    if (body.error() == FramingProblem::EndOfInput) break;
  }
  return out;
}

struct FramingCase {
  const char* name;
  std::string input;
  std::string reads;
  std::size_t max_bytes = kMaxMessageBytes;
};

void PrintTo(const FramingCase& c, std::ostream* os) { *os << c.name; }

class FramingTest : public ::testing::TestWithParam<FramingCase> {};

TEST_P(FramingTest, ReadsWholeInput) {
  std::istringstream in(GetParam().input);
  EXPECT_EQ(dump_reads(in, GetParam().max_bytes), GetParam().reads);
}

TEST_P(FramingTest, ReadsTheSameOneByteAtATime) {
  TrickleBuffer buffer(GetParam().input);
  std::istream in(&buffer);
  EXPECT_EQ(dump_reads(in, GetParam().max_bytes), GetParam().reads);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, FramingTest,
    ::testing::Values(
        // Well formed.
        FramingCase{"Empty", "", "<end>"},
        FramingCase{"One", "Content-Length: 2\r\n\r\n{}", "[{}] <end>"},
        FramingCase{"Two", "Content-Length: 1\r\n\r\naContent-Length: 2\r\n\r\nbc",
                    "[a] [bc] <end>"},
        FramingCase{"WithContentType",
                    "Content-Length: 3\r\nContent-Type: application/vscode-jsonrpc; "
                    "charset=utf-8\r\n\r\nabc",
                    "[abc] <end>"},
        FramingCase{"TypeFirst", "Content-Type: x\r\nContent-Length: 1\r\n\r\nz", "[z] <end>"},
        FramingCase{"NameInAnyCase", "content-LENGTH:4\r\n\r\nabcd", "[abcd] <end>"},
        FramingCase{"BareLineFeeds", "Content-Length: 2\n\nhi", "[hi] <end>"},
        FramingCase{"BlankLinesBetween", "\r\n\r\nContent-Length: 1\r\n\r\nx", "[x] <end>"},
        FramingCase{"ZeroLength", "Content-Length: 0\r\n\r\n", "[] <end>"},
        FramingCase{"BodyHoldsLineBreaks", "Content-Length: 6\r\n\r\na\r\n\r\nb",
                    "[a\r\n\r\nb] <end>"},
        FramingCase{"LastLengthCounts", "Content-Length: 9\r\nContent-Length: 1\r\n\r\nq",
                    "[q] <end>"},
        // Broken header blocks are dropped and reading resumes at the next one.
        FramingCase{"LineWithoutColon", "garbage\r\nContent-Length: 2\r\n\r\nhi",
                    "<malformed header> [hi] <end>"},
        FramingCase{"MissingLength", "Content-Type: x\r\n\r\n{}Content-Length: 2\r\n\r\nhi",
                    "<missing length> [hi] <end>"},
        FramingCase{"WordForLength", "Content-Length: ten\r\n\r\n{}Content-Length: 1\r\n\r\nk",
                    "<invalid length> [k] <end>"},
        FramingCase{"NegativeLength", "Content-Length: -5\r\n\r\nabcde", "<invalid length> <end>"},
        FramingCase{"EmptyLength", "Content-Length: \r\n\r\n", "<invalid length> <end>"},
        FramingCase{
            "HugeLength",
            "Content-Length: 99999999999999999999999999\r\n\r\n{}Content-Length: 1\r\n\r\nk",
            "<too large> [k] <end>"},
        FramingCase{"AboveTheLimit",
                    "Content-Length: 11\r\n\r\nhello worldContent-Length: 2\r\n\r\nok",
                    "<too large> [ok] <end>", 10},
        FramingCase{"AtTheLimit", "Content-Length: 10\r\n\r\nhelloworld", "[helloworld] <end>", 10},
        FramingCase{"LongHeaderLine",
                    "X: " + std::string(9000, 'a') + "\r\nContent-Length: 1\r\n\r\nk",
                    "<long header> [k] <end>"},
        FramingCase{"ResyncFindsHeaderInsideALine", "junk\r\nxxContent-Length: 1\r\n\r\nk",
                    "<malformed header> [k] <end>"},
        FramingCase{"ResyncRestartsAPartialMatch", "junk\ncontent-contentCONTENT-length:1\n\nk",
                    "<malformed header> [k] <end>"},
        // The end of input inside a message.
        FramingCase{"EndInHeader", "Content-Len", "<end>"},
        FramingCase{"EndBeforeBlankLine", "Content-Length: 3\r\n", "<end>"},
        FramingCase{"EndInBody", "Content-Length: 10\r\n\r\nabc", "<end>"},
        FramingCase{"EndInsideAClaimedHugeBody", "Content-Length: 268435456\r\n\r\nabc", "<end>"},
        FramingCase{"EndWhileResyncing", "garbage\r\nmore garbage", "<malformed header> <end>"}));

TEST(FramingDescribeTest, NamesEachProblem) {
  EXPECT_EQ(describe(FramingProblem::EndOfInput, 10), "input ended inside a message");
  EXPECT_EQ(describe(FramingProblem::MissingLength, 10), "a header block without Content-Length");
  EXPECT_EQ(describe(FramingProblem::InvalidLength, 10),
            "a Content-Length that is not a count of bytes");
  EXPECT_EQ(describe(FramingProblem::TooLarge, 10), "a Content-Length above the limit of 10 bytes");
  EXPECT_EQ(describe(FramingProblem::MalformedHeader, 10), "a header line without ':'");
  EXPECT_EQ(describe(FramingProblem::LongHeader, 10), "a header line longer than 8192 bytes");
}

TEST(FramingWriteTest, CountsBytesNotCharacters) {
  std::ostringstream out;
  write_message(out, "{\"a\":\"\xC3\xA9\"}");
  EXPECT_EQ(out.str(), "Content-Length: 10\r\n\r\n{\"a\":\"\xC3\xA9\"}");
}

TEST(FramingWriteTest, WritesWhatTheReaderReadsBack) {
  std::ostringstream out;
  write_message(out, "first");
  write_message(out, "");
  std::istringstream in(out.str());
  EXPECT_EQ(dump_reads(in, kMaxMessageBytes), "[first] [] <end>");
}

}  // namespace
}  // namespace lyre::server

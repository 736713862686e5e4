#include "lyre/track/format/parse_error.h"

#include "docformat/text.h"

namespace lyre {

std::string ParseError::text() const {
  if (const auto* e = std::get_if<Line>(&kind_)) {
    return cat("line ", std::to_string(e->line), ": ", e->message);
  }
  if (const auto* e = std::get_if<Document>(&kind_)) return e->message;
  if (const auto* e = std::get_if<ImportRead>(&kind_)) {
    return cat("import '", e->path, "': read error: ", e->error);
  }
  const auto& e = std::get<ImportDownload>(kind_);
  return cat("import download '", e.url, "': ", e.message);
}

docformat::Cause ParseError::cause() const {
  if (const auto* e = std::get_if<Line>(&kind_)) return {e->message, e->line, e->token};
  if (const auto* e = std::get_if<Document>(&kind_)) return {e->message};
  return {text()};
}

std::string ParseError::debug() const {
  if (const auto* e = std::get_if<Line>(&kind_)) {
    return cat("Line { line: ", std::to_string(e->line), ", message: \"", e->message, "\" }");
  }
  if (const auto* e = std::get_if<Document>(&kind_)) {
    return cat("Document { message: \"", e->message, "\" }");
  }
  if (const auto* e = std::get_if<ImportRead>(&kind_)) {
    return cat("ImportRead { path: \"", e->path, "\", error: \"", e->error, "\" }");
  }
  const auto& e = std::get<ImportDownload>(kind_);
  return cat("ImportDownload { url: \"", e.url, "\", message: \"", e.message, "\" }");
}

}  // namespace lyre

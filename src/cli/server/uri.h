// Document URIs: a `file://` URI names a path on this machine; any other URI
// (an unsaved buffer, a remote one) is only a key with no file behind it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lyre::server {

// The path of a `file://` URI with an empty or "localhost" authority,
// percent-decoded, without query or fragment; none for any other URI or when
// the path would hold a NUL byte or not be absolute.
std::optional<std::string> path_of_uri(std::string_view uri);

// The `file://` URI of an absolute path, every byte outside the unreserved
// set and '/' percent-encoded.
std::string uri_of_path(std::string_view path);

}  // namespace lyre::server

#!/usr/bin/env python3
"""Checks a SARIF log read on standard input against a JSON schema (Draft 4).

usage: python3 tests/sarif_valid.py SCHEMA < LOG

Exit status: 0 when the log is valid; 1 when it is not, or is not JSON, after
printing the first errors; 2 on a usage error or a schema that cannot be
read; 77 when the jsonschema module is missing, which test drivers read as
"skipped".
"""

import json
import sys

MAX_ERRORS = 5


def where(error):
    """The place of an error in the log, as a JSON pointer."""
    return "/" + "/".join(str(part) for part in error.absolute_path)


def main(argv):
    if len(argv) != 2:
        print("usage: python3 tests/sarif_valid.py SCHEMA < LOG", file=sys.stderr)
        return 2
    try:
        import jsonschema
        from jsonschema.exceptions import best_match
    except ImportError:
        print(
            "sarif_valid.py: the python3 module jsonschema is missing "
            "(Debian: apt-get install python3-jsonschema)",
            file=sys.stderr,
        )
        return 77
    try:
        with open(argv[1], encoding="utf-8") as f:
            schema = json.load(f)
    except (OSError, ValueError) as e:
        print(f"sarif_valid.py: cannot read the schema {argv[1]}: {e}", file=sys.stderr)
        return 2
    try:
        log = json.loads(sys.stdin.buffer.read().decode("utf-8"))
    except (UnicodeDecodeError, ValueError) as e:
        print(f"invalid: the log is not UTF-8 JSON: {e}")
        return 1
    # Formats are checked where the installed module knows them.
    formats = getattr(jsonschema.Draft4Validator, "FORMAT_CHECKER", None)
    if formats is None:
        formats = jsonschema.draft4_format_checker
    validator = jsonschema.Draft4Validator(schema, format_checker=formats)
    errors = list(validator.iter_errors(log))
    if not errors:
        return 0
    print(f"invalid: {len(errors)} error(s) against {argv[1]}")
    for error in errors[:MAX_ERRORS]:
        print(f"  at {where(error)}: {error.message}")
        # For anyOf and oneOf, the alternative that came closest.
        if error.context:
            closest = best_match(error.context)
            print(f"    closest: at {where(closest)}: {closest.message}")
    if len(errors) > MAX_ERRORS:
        print(f"  ... and {len(errors) - MAX_ERRORS} more")
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))

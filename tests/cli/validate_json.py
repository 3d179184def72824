#!/usr/bin/env python3
"""Validates what zorvant-cli printed as JSON against the schemas it documents
(docs/schemas), the schema chosen by the document's shape: a list is `ports --json`, an object
with "info" a download (`read --format json`), with "logger_id" `info --json`, with "title" a
report, with "recordings", "recording" or "events" `archive list`, `show` or `log`, with
"file_kind" `verify`, with "findings" `archive verify`. Prints each
error and exits 1 on any.
usage: validate_json.py SCHEMA_DIR FILE..."""
import json
import os
import sys
import warnings

import jsonschema


def kind(document):
    if isinstance(document, list):
        return "ports"
    for key, name in (("file_kind", "verify"), ("findings", "archive-verify"),
                      ("info", "read"), ("logger_id", "info"), ("title", "report"),
                      ("recordings", "archive-list"), ("recording", "archive-show"),
                      ("events", "archive-log")):
        if isinstance(document, dict) and key in document:
            return name
    return None


def validator_for(schemas, schema):
    """References between the files resolve by their $id: through `referencing` where the
    jsonschema has it, through RefResolver on Debian 12's."""
    try:
        from referencing import Registry, Resource
    except ImportError:
        with warnings.catch_warnings():
            warnings.simplefilter("ignore", DeprecationWarning)
            store = {s["$id"]: s for s in schemas.values()}
            resolver = jsonschema.RefResolver.from_schema(schema, store=store)
            return jsonschema.Draft202012Validator(schema, resolver=resolver)
    registry = Registry().with_resources(
        (s["$id"], Resource.from_contents(s)) for s in schemas.values())
    return jsonschema.Draft202012Validator(schema, registry=registry)


def main():
    folder, files = sys.argv[1], sys.argv[2:]
    schemas = {}
    for name in os.listdir(folder):
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            schemas[name] = json.load(f)
    failures = 0
    for path in files:
        with open(path, encoding="utf-8") as f:
            document = json.load(f)
        name = kind(document)
        if name is None:
            print(f"{path}: no schema for this document")
            failures += 1
            continue
        validator = validator_for(schemas, schemas[f"{name}.schema.json"])
        for error in validator.iter_errors(document):
            print(f"{path} ({name}): {'/'.join(map(str, error.absolute_path))}: {error.message}")
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

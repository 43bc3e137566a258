#!/usr/bin/env python3
"""The winget and Scoop manifests that release.sh wrote: each one accepted by
its schema, all of one version, and every address and hash that of the release
file it names. The installer test compares the uninstall entry.
Usage: manifests_test.py <release folder> <schemas folder> <project version>"""
import hashlib
import json
import re
import sys
from pathlib import Path

import jsonschema
import yaml

release, schemas, version = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3]
failures = []
all_schemas = [json.loads(p.read_text(encoding="utf-8")) for p in schemas.rglob("*.json")]


def check(ok, what):
    if not ok:
        failures.append(what)


def validate(document, schema_id, name):
    schema = next(s for s in all_schemas if s["$id"] == schema_id)
    try:  # A schema may refer to another by its $id.
        from referencing import Registry, Resource
        refs = {"registry": Registry().with_resources(
            (s["$id"], Resource.from_contents(s)) for s in all_schemas)}
    except ImportError:  # jsonschema before 4.18
        refs = {"resolver": jsonschema.RefResolver.from_schema(
            schema, store={s["$id"]: s for s in all_schemas})}
    validator = jsonschema.Draft7Validator(
        schema, format_checker=jsonschema.Draft7Validator.FORMAT_CHECKER, **refs)
    for error in validator.iter_errors(document):
        failures.append(f"{name}: {error.message} (at {'/'.join(map(str, error.path))})")


sums_text = (release / "SHA256SUMS").read_text()
sums = {name.lstrip("*"): digest for digest, name in
        (line.split(None, 1) for line in sums_text.splitlines())}
addresses = set()


def check_file(url, digest, pattern, what):
    """The file that a url names: its name, its hash, and the folder it is in."""
    folder, name = url.rsplit("/", 1)
    addresses.add(folder)
    check(re.fullmatch(pattern.replace("VERSION", re.escape(version)), name),
          f"{what}: {url} names the wrong file")
    actual = hashlib.sha256((release / name).read_bytes()).hexdigest() \
        if (release / name).is_file() else None
    check(digest.lower() == sums.get(name) == actual, f"{what}: the hash of {name} is {digest}")


# winget: three files of one package and version.
package = "ZarnovellSoftware.Velunda"
winget = {p.name: yaml.safe_load(p.read_text(encoding="utf-8"))
          for p in (release / "winget").glob("*.yaml")}
kinds = {m["ManifestType"]: m for m in winget.values()}
for name, manifest in winget.items():
    validate(manifest, f"https://aka.ms/winget-manifest.{manifest['ManifestType'].lower()}"
             f".1.10.0.schema.json", name)
    check((manifest["PackageIdentifier"], manifest["PackageVersion"]) == (package, version),
          f"{name}: package {manifest['PackageIdentifier']} {manifest['PackageVersion']}")
locale = kinds["version"]["DefaultLocale"]
check(sorted(winget) == sorted([f"{package}.yaml", f"{package}.installer.yaml",
                                f"{package}.locale.{locale}.yaml"]), f"winget files: {sorted(winget)}")
check(kinds["defaultLocale"]["PackageLocale"] == locale, "the default locale differs")
installers = kinds["installer"]["Installers"]
check(sorted(i["Architecture"] for i in installers) == ["x64", "x86"], "winget architectures")
for i in installers:
    check_file(i["InstallerUrl"], i["InstallerSha256"], f"Velunda-VERSION-setup-{i['Architecture']}\\.exe",
               f"winget {i['Architecture']}")

# Scoop: the portable archives, and the patterns that find and fetch the next release.
scoop = json.loads((release / "scoop" / "velunda.json").read_text(encoding="utf-8"))
validate(scoop, "http://scoop.sh/draft/schema#", "velunda.json")
check(scoop["version"] == version, f"Scoop version {scoop['version']}")
auto = scoop["autoupdate"]
for key, arch in {"64bit": "x64", "32bit": "x86"}.items():
    url, digest = scoop["architecture"][key]["url"], scoop["architecture"][key]["hash"]
    check_file(url, digest, f"Velunda-VERSION-{arch}\\.zip", f"Scoop {key}")
    later = lambda text, v: text.replace(v, "99.9")
    check(later(auto["architecture"][key]["url"], "$version") == later(url, version),
          f"Scoop {key}: autoupdate's address does not follow this release's")
    # Scoop fills these in for the release it updates to.
    hash_pattern = auto["hash"]["regex"].replace("$sha256", "([0-9a-f]{64})").replace(
        "$basename", re.escape(url.rsplit("/", 1)[1]))
    found = re.search(hash_pattern, sums_text)
    check(found and found.group(1) == digest and auto["hash"]["url"] == "$baseurl/SHA256SUMS",
          f"Scoop {key}: autoupdate does not find the hash in SHA256SUMS")
    if key == "64bit":
        found = re.search(scoop["checkver"]["regex"], f'<a href="{url}">')
        check(found is not None and found.groups()[:1] == (version,), "checkver does not find this version")
check(len(addresses) == 1, f"the files are in several folders: {sorted(addresses)}")

print("\n".join(f"FAIL: {f}" for f in failures) or "all checks passed")
sys.exit(1 if failures else 0)

#!/usr/bin/env python3
# The winget and Scoop manifests that release.sh wrote: each one accepted by
# its schema, all of the project's version, and every address and hash that of
# the release file it names. The installer test compares the uninstall entry.
# Usage: manifests_test.py <release folder> <schemas folder> <project version>
import hashlib, json, re, sys, warnings
from pathlib import Path
import jsonschema, yaml

release, schemas, version = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3]
failures = []
check = lambda ok, what: ok or failures.append(what)
all_schemas = {s["$id"]: s for s in (json.loads(p.read_text(encoding="utf-8"))
                                     for p in schemas.rglob("*.json"))}


# A schema may refer to another by its $id. (Newer jsonschema would rather have
# a registry, but still takes the resolver of Debian 12's.)
warnings.simplefilter("ignore", DeprecationWarning)


def validate(document, schema_id, name):
    schema = all_schemas[schema_id]
    for error in jsonschema.Draft7Validator(
            schema, resolver=jsonschema.RefResolver(schema_id, schema, store=all_schemas),
            format_checker=jsonschema.FormatChecker()).iter_errors(document):
        failures.append(f"{name}: {error.message} (at {'/'.join(map(str, error.path))})")


sums_text = (release / "SHA256SUMS").read_text()
sums = {name.lstrip("*"): digest for digest, name in map(str.split, sums_text.splitlines())}
folders = set()


def check_file(url, digest, pattern, what):
    folder, name = url.rsplit("/", 1)
    folders.add(folder)
    check(re.fullmatch(pattern.replace("VERSION", re.escape(version)), name), f"{what}: {url}")
    file = release / name
    actual = file.is_file() and hashlib.sha256(file.read_bytes()).hexdigest()
    check(digest.lower() == sums.get(name) == actual, f"{what}: the hash of {name} is {digest}")


winget = {p.name: yaml.safe_load(p.read_text(encoding="utf-8"))
          for p in (release / "winget").glob("*")}
kinds = {m["ManifestType"]: m for m in winget.values()}
for name, m in winget.items():
    kind = m["ManifestType"].lower()
    validate(m, f"https://aka.ms/winget-manifest.{kind}.1.10.0.schema.json", name)
    check((m["PackageIdentifier"], m["PackageVersion"]) == ("ZarnovellSoftware.Velunda", version),
          f"{name}: {m['PackageIdentifier']} {m['PackageVersion']}")
texts = kinds["defaultLocale"]
check(texts["PackageLocale"] == kinds["version"]["DefaultLocale"] and
      texts["Description"].startswith(texts["ShortDescription"].rstrip(".")), "winget's texts")
installers = {i["Architecture"]: i for i in kinds["installer"]["Installers"]}
check(sorted(installers) == ["x64", "x86"], f"winget architectures {sorted(installers)}")
for arch, i in installers.items():
    check_file(i["InstallerUrl"], i["InstallerSha256"], f"Velunda-VERSION-setup-{arch}\\.exe", arch)

scoop = json.loads((release / "scoop" / "velunda.json").read_text(encoding="utf-8"))
validate(scoop, "http://scoop.sh/draft/schema#", "velunda.json")
check((scoop["version"], scoop["description"]) == (version, texts["ShortDescription"]),
      "Scoop's version or description is not winget's")
auto, later = scoop["autoupdate"], lambda text, v: text.replace(v, "99.9")
for key, arch in {"64bit": "x64", "32bit": "x86"}.items():
    url, digest = scoop["architecture"][key]["url"], scoop["architecture"][key]["hash"]
    check_file(url, digest, f"Velunda-VERSION-{arch}\\.zip", key)
    check(later(auto["architecture"][key]["url"], "$version") == later(url, version),
          f"{key}: autoupdate's address does not follow this release's")
    # What Scoop fills in for the release that it updates to.
    found = re.search(auto["hash"]["regex"].replace("$sha256", "([0-9a-f]{64})").replace(
        "$basename", re.escape(url.rsplit("/", 1)[1])), sums_text)
    check(found and found.group(1) == digest and auto["hash"]["url"] == "$baseurl/SHA256SUMS",
          f"{key}: autoupdate does not find the hash in SHA256SUMS")
found = re.search(scoop["checkver"]["regex"], f'<a href="{scoop["architecture"]["64bit"]["url"]}">')
check(found is not None and found.groups()[:1] == (version,), "checkver does not find this version")
check(len(folders) == 1, f"the files are in several folders: {sorted(folders)}")

print("\n".join(f"FAIL: {f}" for f in failures) or "all checks passed")
sys.exit(1 if failures else 0)

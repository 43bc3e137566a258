#!/usr/bin/env python3
"""Writes the winget and Scoop manifests of a release built by release.sh.

Usage: package_manifests.py <release folder> <version> <download address>

The address is the web folder where this release's files will be published.
The manifests name those files there, with the hashes from SHA256SUMS, and go
to <release folder>/winget/ and <release folder>/scoop/.
"""
import json
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PACKAGE_ID = "ZarnovellSoftware.Velunda"
MANIFEST_VERSION = "1.10.0"
LOCALE = "fr-FR"
WINGET_LICENSE, SCOOP_LICENSE = "Propriétaire", "Proprietary"
# The release's architectures, and their names in Scoop.
ARCHS = {"x64": "64bit", "x86": "32bit"}
# The installer exits with 2 when Velunda is open (it cannot replace it).
IN_USE_EXIT_CODE = 2
NOTES = [
    "Velunda garde ses réglages dans le registre "
    "(HKEY_CURRENT_USER\\Software\\Zarnovell Software\\Velunda), comme l'archive "
    "portable : ils restent après une mise à jour ou une désinstallation.",
    "Avant de désinstaller, décochez « Démarrer à l'ouverture de session » : "
    "sinon le raccourci que Velunda a placé dans le dossier Démarrage reste.",
]


def setup_name(version, arch):
    return f"Velunda-{version}-setup-{arch}.exe"


def zip_name(version, arch):
    return f"Velunda-{version}-{arch}.zip"


def uninstall_entry(version):
    """The Uninstall subkey name and the values that the installer writes there."""
    text = (ROOT / "installer" / "velunda.nsi").read_text(encoding="utf-8")
    defines = dict(re.findall(r'^!define (\w+) "(.*)"$', text, re.M), VERSION=version)
    expand = lambda s: re.sub(r"\$\{(\w+)\}", lambda m: defines[m.group(1)], s)
    values = dict(re.findall(r'WriteRegStr HKCU "\$\{UNINST_KEY\}" "(\w+)" "(.*)"', text))
    entry = {k: expand(values[k]) for k in ("DisplayName", "Publisher", "DisplayVersion")}
    return defines["UNINST_KEY"].rsplit("\\", 1)[1], entry


def readme_description():
    """The first sentence and the first paragraph of the program's (French) readme."""
    text = (ROOT / "src" / "res" / "readme.txt").read_text(encoding="utf-8")
    paragraphs = [" ".join(p.split()) for p in re.split(r"\n\s*\n", text)]
    # Skip the title, underlined with '='.
    paragraph = next(p for p in paragraphs if p and not p.endswith("="))
    return paragraph.split(". ")[0].rstrip(".") + ".", paragraph


def to_yaml(value, indent=""):
    """Block YAML of nested dicts and lists of dicts; JSON strings are YAML scalars."""
    lines = []
    for key, item in value.items():
        if isinstance(item, dict):
            lines += [f"{indent}{key}:"] + to_yaml(item, indent + "  ")
        elif isinstance(item, list):
            lines.append(f"{indent}{key}:")
            for element in item:
                first, *rest = to_yaml(element, indent + "  ")
                lines += [f"{indent}- {first.lstrip()}"] + rest
        else:
            lines.append(f"{indent}{key}: {json.dumps(item, ensure_ascii=False)}")
    return lines


def releases_page(address, version):
    """The address without this release's own folder: where every release is found."""
    head, found, _ = address.partition(f"/{version}/")
    return head + "/" if found else address


def winget_manifests(version, address, hashes, product_code, entry, descriptions):
    header = {"PackageIdentifier": PACKAGE_ID, "PackageVersion": version}
    footer = lambda kind: {"ManifestType": kind, "ManifestVersion": MANIFEST_VERSION}
    installers = [{"Architecture": arch, "InstallerUrl": address + setup_name(version, arch),
                   "InstallerSha256": hashes[setup_name(version, arch)].upper()}
                  for arch in ARCHS]
    return {
        f"{PACKAGE_ID}.yaml": {**header, "DefaultLocale": LOCALE, **footer("version")},
        f"{PACKAGE_ID}.installer.yaml": {
            **header, "InstallerType": "nullsoft", "Scope": "user",
            "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S"},
            "ExpectedReturnCodes": [{"InstallerReturnCode": IN_USE_EXIT_CODE,
                                     "ReturnResponse": "packageInUse"}],
            "UpgradeBehavior": "install", "ProductCode": product_code,
            "AppsAndFeaturesEntries": [entry], "Installers": installers,
            **footer("installer")},
        f"{PACKAGE_ID}.locale.{LOCALE}.yaml": {
            **header, "PackageLocale": LOCALE, "Publisher": entry["Publisher"],
            "PackageName": entry["DisplayName"], "PackageUrl": releases_page(address, version),
            "License": WINGET_LICENSE, "ShortDescription": descriptions[0],
            "Description": descriptions[1],
            "Moniker": "velunda", **footer("defaultLocale")},
    }


def scoop_manifest(version, address, hashes, short_description):
    page = releases_page(address, version)
    pattern = address.replace(f"/{version}/", "/$version/")
    return {
        "version": version,
        "description": short_description,
        "homepage": page,
        "license": SCOOP_LICENSE,
        "notes": NOTES,
        "architecture": {
            key: {"url": address + zip_name(version, arch), "hash": hashes[zip_name(version, arch)]}
            for arch, key in ARCHS.items()},
        "bin": "Velunda.exe",
        "shortcuts": [["Velunda.exe", "Velunda"]],
        # A later release is found on the releases page by its x64 archive.
        "checkver": {"url": page, "regex": r"Velunda-([\d.]+)-x64\.zip"},
        "autoupdate": {
            "architecture": {key: {"url": pattern + zip_name("$version", arch)}
                             for arch, key in ARCHS.items()},
            "hash": {"url": "$baseurl/SHA256SUMS", "regex": "$sha256\\s+\\*?$basename"},
        },
    }


def main(out, version, address):
    if not re.fullmatch(r"https?://[^\s/]+(/\S*)?", address):
        sys.exit(f"package_manifests.py: not a web address: {address}")
    if not address.endswith("/"):
        address += "/"
    out = Path(out)
    hashes = {}
    for line in (out / "SHA256SUMS").read_text().splitlines():
        digest, name = line.split(None, 1)
        hashes[name.lstrip("*")] = digest  # "*": sha256sum's binary mode
    descriptions = readme_description()
    product_code, entry = uninstall_entry(version)

    (out / "winget").mkdir(exist_ok=True)
    for name, manifest in winget_manifests(version, address, hashes, product_code, entry,
                                           descriptions).items():
        kind = manifest["ManifestType"].lower()
        text = [f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}"
                f".{MANIFEST_VERSION}.schema.json", ""] + to_yaml(manifest)
        (out / "winget" / name).write_text("\n".join(text) + "\n", encoding="utf-8")
    (out / "scoop").mkdir(exist_ok=True)
    (out / "scoop" / "velunda.json").write_text(
        json.dumps(scoop_manifest(version, address, hashes, descriptions[0]), indent=4,
                   ensure_ascii=False) + "\n", encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__.split("\n\n")[1])
    main(*sys.argv[1:])

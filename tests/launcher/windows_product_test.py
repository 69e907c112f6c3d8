"""The 32-bit Windows product, inspected as a file: this machine cannot run it.

Environment: KORVANTEL_PRODUCT_BUILD, the product's build folder. The bundle it carries is
the one that build was configured with, its demo bundle when none was chosen. Run as a
program; it exits with 77 (CTest's "skipped") when that build has no product yet.
"""

import os
import sys
import unittest
import xml.etree.ElementTree as ElementTree

from pe_image import (MACHINE_I386, OPTIONAL_HEADER_PE32, RT_GROUP_ICON, RT_ICON, RT_MANIFEST,
                      SUBSYSTEM_WINDOWS_GUI, PeImage)

PRODUCT_BUILD = os.environ["KORVANTEL_PRODUCT_BUILD"]
PRODUCT = os.path.join(PRODUCT_BUILD, "launcher", "korvantel-launcher.exe")
ICON = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir,
                    "resources", "windows", "korvantel.ico")
NO_PRODUCT = 77

# Windows' own DLLs; the C run time is the one every Windows has.
ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "msvcrt.dll"}
# The system services the launcher is built on, in the variants it must use. The block of
# the environment in the code page is exported as GetEnvironmentStrings, without the A.
REQUIRED_FUNCTIONS = {
    "kernel32.dll": {"CreateProcessA", "WaitForSingleObject", "GetExitCodeProcess",
                     "GetFileAttributesA", "GetEnvironmentStrings", "GetCurrentDirectoryW",
                     "GetCommandLineA", "WideCharToMultiByte", "Sleep"},
    "user32.dll": {"MessageBoxA"},
}


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


def configured_bundle(build):
    """The bundle a build was configured with, from its CMake cache."""
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as cache:
        for line in cache:
            name, _, value = line.rstrip("\n").partition("=")
            if name.split(":")[0] == "KORVANTEL_BUNDLE":
                return value or os.path.join(build, "demo", "demo_bundle.zip")
    raise AssertionError("no KORVANTEL_BUNDLE in the cache of " + build)


def elements(root, local_name):
    """The elements of that name in any XML name space."""
    return [e for e in root.iter() if e.tag.rpartition("}")[2] == local_name]


class Product(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.data = read_file(PRODUCT)
        cls.image = PeImage(cls.data)

    def test_a_32_bit_program_without_a_console(self):
        self.assertEqual(self.image.machine, MACHINE_I386)
        self.assertEqual(self.image.optional_magic, OPTIONAL_HEADER_PE32)
        self.assertEqual(self.image.subsystem, SUBSYSTEM_WINDOWS_GUI)

    def test_it_needs_no_dll_beyond_windows_own(self):
        imports = {dll.lower(): set(functions) for dll, functions in self.image.imports().items()}
        self.assertLessEqual(set(imports), ALLOWED_DLLS)
        for dll, functions in REQUIRED_FUNCTIONS.items():
            with self.subTest(dll=dll):
                self.assertLessEqual(functions, imports.get(dll, set()))

    def test_its_icon_is_the_projects_own(self):
        resources = self.image.resources()
        group = resources.get((RT_GROUP_ICON, "MAINICON"))
        self.assertIsNotNone(group, "no icon group MAINICON")
        icon_file = read_file(ICON)
        # Both start with the same count; an image's entry in the group carries its
        # resource number where the file has its offset.
        self.assertEqual(group[:6], icon_file[:6])
        count = int.from_bytes(icon_file[4:6], "little")
        self.assertGreater(count, 0)
        for i in range(count):
            in_group = group[6 + 14 * i:6 + 14 * (i + 1)]
            in_file = icon_file[6 + 16 * i:6 + 16 * (i + 1)]
            with self.subTest(image=i):
                self.assertEqual(in_group[:12], in_file[:12])
                size = int.from_bytes(in_file[8:12], "little")
                offset = int.from_bytes(in_file[12:16], "little")
                number = int.from_bytes(in_group[12:14], "little")
                self.assertEqual(resources.get((RT_ICON, number)),
                                 icon_file[offset:offset + size])

    def test_its_manifest_asks_for_the_invokers_rights_and_common_controls_6(self):
        manifest = self.image.resources().get((RT_MANIFEST, 1))
        self.assertIsNotNone(manifest, "no manifest with the number 1")
        root = ElementTree.fromstring(manifest)
        [level] = elements(root, "requestedExecutionLevel")
        self.assertEqual(level.get("level"), "asInvoker")
        self.assertEqual(level.get("uiAccess"), "false")
        dependencies = [(identity.get("type"), identity.get("name"), identity.get("version"))
                        for dependent in elements(root, "dependentAssembly")
                        for identity in elements(dependent, "assemblyIdentity")]
        self.assertEqual(dependencies,
                         [("win32", "Microsoft.Windows.Common-Controls", "6.0.0.0")])

    def test_the_bundle_is_built_in_whole_as_constant_data(self):
        bundle = read_file(configured_bundle(PRODUCT_BUILD))
        offset = self.data.find(bundle)
        self.assertNotEqual(offset, -1, "the bundle's bytes are not in the product")
        section = self.image.section_of(offset, len(bundle))
        self.assertIsNotNone(section, "the bundle lies outside the loaded data")
        self.assertEqual(section.name, ".rdata")


if __name__ == "__main__":
    if not os.path.exists(PRODUCT):
        print("No product at %s: build it first with 'make product'." % PRODUCT)
        sys.exit(NO_PRODUCT)
    unittest.main(verbosity=2)

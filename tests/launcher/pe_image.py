"""A reader of the parts of a Windows PE executable that the product's tests look at: the
headers, the section table, the imported DLLs and functions, and the resource tree."""

import struct

MACHINE_I386 = 0x14C
OPTIONAL_HEADER_PE32 = 0x10B
OPTIONAL_HEADER_PE32_PLUS = 0x20B
SUBSYSTEM_WINDOWS_GUI = 2
RT_ICON = 3
RT_GROUP_ICON = 14
RT_MANIFEST = 24

_IMPORT_DIRECTORY = 1
_RESOURCE_DIRECTORY = 2
_DELAY_IMPORT_DIRECTORY = 13
_HIGH_BIT = 0x80000000


class PeFormatError(Exception):
    pass


class Section:
    def __init__(self, name, virtual_size, virtual_address, raw_size, raw_offset):
        self.name = name
        self.virtual_size = virtual_size
        self.virtual_address = virtual_address
        self.raw_size = raw_size
        self.raw_offset = raw_offset

    def holds_offset(self, offset, length):
        """Whether `length` bytes at file offset `offset` lie in this section's loaded data."""
        loaded = min(self.raw_size, self.virtual_size)
        return self.raw_offset <= offset and offset + length <= self.raw_offset + loaded


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise PeFormatError("no MZ header")
        pe_offset = self._u32(0x3C)
        if data[pe_offset:pe_offset + 4] != b"PE\0\0":
            raise PeFormatError("no PE signature")
        coff = pe_offset + 4
        (self.machine, section_count, _, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, coff)
        optional = coff + 20
        self.optional_magic = self._u16(optional)
        if self.optional_magic == OPTIONAL_HEADER_PE32:
            directories_at = optional + 96
        elif self.optional_magic == OPTIONAL_HEADER_PE32_PLUS:
            directories_at = optional + 112
        else:
            raise PeFormatError("unknown optional header 0x%x" % self.optional_magic)
        self.subsystem = self._u16(optional + 68)
        directory_count = self._u32(directories_at - 4)
        self.directories = [struct.unpack_from("<II", data, directories_at + 8 * i)
                            for i in range(directory_count)]
        self.sections = []
        for i in range(section_count):
            at = optional + optional_size + 40 * i
            name = data[at:at + 8].rstrip(b"\0").decode("ascii", errors="replace")
            virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
                "<IIII", data, at + 8)
            self.sections.append(
                Section(name, virtual_size, virtual_address, raw_size, raw_offset))

    def _u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def _u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def _offset(self, rva):
        for section in self.sections:
            if section.virtual_address <= rva < section.virtual_address + section.raw_size:
                return rva - section.virtual_address + section.raw_offset
        raise PeFormatError("address 0x%x lies in no section's data" % rva)

    def _text_at(self, rva):
        start = self._offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def _directory(self, index):
        """(rva, size) of a data directory, or None when the image has none there."""
        if index >= len(self.directories) or self.directories[index][0] == 0:
            return None
        return self.directories[index]

    def section_of(self, offset, length):
        """The section whose loaded data hold the bytes at this file offset, or None."""
        return next((s for s in self.sections if s.holds_offset(offset, length)), None)

    def imports(self):
        """{DLL name: [function names, "#n" for one imported by ordinal]}, delay-loaded
        DLLs included."""
        thunk_size = 4 if self.optional_magic == OPTIONAL_HEADER_PE32 else 8
        ordinal_flag = 1 << (8 * thunk_size - 1)
        result = {}
        # Per table: its directory, its record size, and which field of a record holds the
        # DLL's name, its lookup table and the address table (which serves when the lookup
        # table is absent).
        tables = [(_IMPORT_DIRECTORY, 20, 3, 0, 4), (_DELAY_IMPORT_DIRECTORY, 32, 1, 4, 3)]
        for directory, record_size, name_field, lookup_field, address_field in tables:
            found = self._directory(directory)
            if not found:
                continue
            at = self._offset(found[0])
            while True:
                fields = struct.unpack_from("<%dI" % (record_size // 4), self.data, at)
                if not any(fields):
                    break
                functions = result.setdefault(self._text_at(fields[name_field]), [])
                entry = self._offset(fields[lookup_field] or fields[address_field])
                while True:
                    value = int.from_bytes(self.data[entry:entry + thunk_size], "little")
                    if value == 0:
                        break
                    if value & ordinal_flag:
                        functions.append("#%d" % (value & 0xFFFF))
                    else:
                        functions.append(self._text_at(value + 2))  # after the hint
                    entry += thunk_size
                at += record_size
        return result

    def resources(self):
        """{(type, name): data} for every resource, languages merged (the last one wins).
        Types and names are numbers or upper-case texts, as the system compares them."""
        found = self._directory(_RESOURCE_DIRECTORY)
        if not found:
            return {}
        base = self._offset(found[0])
        result = {}
        for type_key, type_table in self._resource_entries(base, 0):
            for name_key, name_table in self._resource_entries(base, type_table):
                for _, data_entry in self._resource_entries(base, name_table):
                    rva, size = struct.unpack_from("<II", self.data, base + data_entry)
                    start = self._offset(rva)
                    result[(type_key, name_key)] = self.data[start:start + size]
        return result

    def _resource_entries(self, base, table):
        """(key, target) for each entry of the resource table at `table`; offsets count from
        the resource data's start at `base`."""
        header = base + table
        named, numbered = struct.unpack_from("<HH", self.data, header + 12)
        for i in range(named + numbered):
            key, target = struct.unpack_from("<II", self.data, header + 16 + 8 * i)
            if key & _HIGH_BIT:
                name_at = base + (key & ~_HIGH_BIT)
                length = self._u16(name_at)
                key = self.data[name_at + 2:name_at + 2 + 2 * length].decode("utf-16-le").upper()
            yield key, target & ~_HIGH_BIT

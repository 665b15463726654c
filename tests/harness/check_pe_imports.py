#!/usr/bin/env python3
"""Checks every exe and DLL in what ships, without running anything: each slot of
its import and delay-import address tables is filled and points into the image,
its subsystem version is 6.0, and it is linked terminal-server aware. A slot the
linker left at 0 makes the first call through it jump to address 0 (the i686 link
once dropped every delay-load stub).

Usage: check_pe_imports.py FILE...   (an exe or DLL, a .zip, or an .msi)"""
import os
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

IMPORTS, DELAY_IMPORTS = 1, 13
TERMINAL_SERVER_AWARE = 0x8000


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from('<I', data, 0x3C)[0]
        if data[:2] != b'MZ' or data[pe:pe + 4] != b'PE\0\0':
            raise ValueError('not a PE file')
        sections, optional_size = struct.unpack_from('<H12xH', data, pe + 6)
        optional = pe + 24
        self.wide = struct.unpack_from('<H', data, optional)[0] == 0x20B
        self.slot = 8 if self.wide else 4
        self.base = struct.unpack_from('<Q' if self.wide else '<I', data,
                                       optional + (24 if self.wide else 28))[0]
        self.subsystem_version = struct.unpack_from('<HH', data, optional + 48)
        self.dll_characteristics = struct.unpack_from('<H', data, optional + 70)[0]
        self.size = struct.unpack_from('<I', data, optional + 56)[0]
        directories = optional + (112 if self.wide else 96)
        self.directories = [struct.unpack_from('<II', data, directories + 8 * i)
                            for i in range(struct.unpack_from('<I', data, directories - 4)[0])]
        self.sections = [struct.unpack_from('<8xIIII', data, optional + optional_size + 40 * i)
                         for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise ValueError('RVA %#x lies in no section' % rva)

    def word(self, rva):
        return struct.unpack_from('<Q' if self.wide else '<I', self.data, self.offset(rva))[0]

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b'\0', start)].decode('ascii', 'replace')

    def table(self, rva):
        """The slots of a zero-terminated thunk table."""
        slots = []
        while (value := self.word(rva + self.slot * len(slots))) != 0:
            slots.append(value)
        return slots

    def descriptors(self, index, size):
        rva = self.directories[index][0] if index < len(self.directories) else 0
        while rva:
            fields = struct.unpack_from('<%dI' % (size // 4), self.data, self.offset(rva))
            if not any(fields):
                break
            yield fields
            rva += size


def faults(image):
    """What is wrong with one image, as lines of text."""
    found = []
    if image.subsystem_version != (6, 0):
        found.append('subsystem version %d.%d, not 6.0' % image.subsystem_version)
    if not image.dll_characteristics & TERMINAL_SERVER_AWARE:
        found.append('not linked --tsaware')
    ordinal_flag = 1 << (image.slot * 8 - 1)
    # Before loading, an import slot holds what its name-table slot holds: the RVA of
    # the function's name, or an ordinal.
    for names, _, _, dll, slots in image.descriptors(IMPORTS, 20):
        count = len(image.table(names or slots))
        for i in range(count):
            value = image.word(slots + image.slot * i)
            if not value & ordinal_flag and not 0 < value < image.size:
                found.append('%s import slot %d holds %#x' % (image.text(dll), i, value))
    # A delay-import slot holds the address of the stub that loads the DLL at the first call.
    for dll, slots, names in delay_descriptors(image):
        for i in range(len(image.table(names))):
            value = image.word(slots + image.slot * i)
            if not image.base <= value < image.base + image.size:
                found.append('%s delay-import slot %d holds %#x' % (image.text(dll), i, value))
    return found


def delay_descriptors(image):
    """(name, address table, name table) RVAs of every delay-import descriptor. MinGW's
    linker leaves the directory entry empty, so the sections are also searched for
    descriptors: attributes 1 (RVAs), then a DLL's name, module handle, address table
    and name table, all inside the image."""
    found = {(f[1], f[3], f[4]) for f in image.descriptors(DELAY_IMPORTS, 32) if f[0] & 1}
    for _, address, raw_size, raw in image.sections:
        block = image.data[raw:raw + raw_size]
        for at in range(0, len(block) - 31, 4):
            attributes, dll, module, slots, names = struct.unpack_from('<5I', block, at)
            if attributes != 1 or not all(0 < rva < image.size
                                          for rva in (dll, module, slots, names)):
                continue
            try:
                if re.fullmatch(r'[\w.-]+\.dll', image.text(dll), re.I):
                    found.add((dll, slots, names))
            except ValueError:  # an RVA in no section's bytes: not a descriptor
                pass
    return sorted(found)


def shipped_images(path):
    """(name, bytes) of every exe and DLL that path is or holds."""
    lower = path.lower()
    if lower.endswith('.zip'):
        with zipfile.ZipFile(path) as archive:
            return [(path + ':' + name, archive.read(name)) for name in archive.namelist()
                    if name.lower().endswith(('.exe', '.dll'))]
    if lower.endswith('.msi'):
        with tempfile.TemporaryDirectory(prefix='qm-msi-') as folder:
            subprocess.run(['msiextract', '-C', folder, path], check=True,
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
            images = []
            for parent, _, files in os.walk(folder):
                for name in files:
                    if name.lower().endswith(('.exe', '.dll')):
                        with open(os.path.join(parent, name), 'rb') as f:
                            images.append((path + ':' + name, f.read()))
            return images
    with open(path, 'rb') as f:
        return [(path, f.read())]


def main(paths):
    failed = False
    for path in paths:
        images = shipped_images(path)
        if not images:
            print('FAIL: %s holds no exe' % path)
            failed = True
        for name, data in images:
            problems = faults(Image(data))
            print('%s: %s' % ('FAIL' if problems else 'ok', name))
            for problem in problems:
                print('  ' + problem)
            failed |= bool(problems)
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env python3
"""Context map of a compiled help file.

chmcmd 3.2.2 stores every alias of the context map as the absolute path of
the project folder on the build machine ("/home/.../a.htm"), which no viewer
finds inside the file, and it leaves out context number 0. `fix` writes a new
map (#IVB) and adds the topic paths as they are named inside the file
("/a.htm") to the string file (#STRINGS), both as uncompressed entries at
the end of the file; the directory entries are pointed at them. The old
strings are kept, since other parts of the file refer to them by offset.

`check` reads a compiled file back through libchm's extract_chmLib and
verifies that every context number of the ids header maps to a topic that
exists inside the file.

    chmmap.py fix   CHM HHP IDS_HEADER
    chmmap.py check CHM IDS_HEADER
"""
import os
import re
import struct
import subprocess
import sys
import tempfile

CHUNK = 0x1000
PMGL_HEADER = 0x14
STRINGS_BLOCK = 0x1000


class MapError(Exception):
    pass


# --- The sources: context numbers and topic files -------------------------

def read_context_numbers(ids_path):
    """NAME -> number from the #define lines of the ids header."""
    numbers = {}
    with open(ids_path, encoding='utf-8') as f:
        for line in f:
            m = re.match(r'#define\s+(\w+)\s+(-?\d+)\s*$', line)
            if m:
                numbers[m.group(1)] = int(m.group(2))
    if not numbers:
        raise MapError(f'{ids_path}: no context numbers')
    return numbers


def read_aliases(hhp_path):
    """NAME -> topic file from the [ALIAS] section of the help project."""
    aliases = {}
    section = None
    with open(hhp_path, encoding='utf-8') as f:
        for raw in f:
            line = raw.split(';', 1)[0].strip()
            if line.startswith('[') and line.endswith(']'):
                section = line[1:-1].upper()
            elif section == 'ALIAS' and '=' in line:
                name, topic = line.split('=', 1)
                aliases[name.strip()] = topic.strip().replace('\\', '/')
    return aliases


def context_topics(hhp_path, ids_path):
    """(number, "/topic") pairs, sorted by number."""
    numbers = read_context_numbers(ids_path)
    aliases = read_aliases(hhp_path)
    missing = sorted(set(numbers) - set(aliases))
    if missing:
        raise MapError(f'{hhp_path}: no alias for {", ".join(missing)}')
    unknown = sorted(set(aliases) - set(numbers))
    if unknown:
        raise MapError(f'{hhp_path}: aliases without a number: {", ".join(unknown)}')
    return sorted((numbers[n], '/' + aliases[n].lstrip('/')) for n in numbers)


# --- Reading the compiled file --------------------------------------------

def extract(chm_path, folder):
    result = subprocess.run(['extract_chmLib', chm_path, folder],
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if result.returncode != 0:
        raise MapError(f'extract_chmLib {chm_path}: {result.stderr.decode(errors="replace")}')


def read_extracted(folder, name):
    path = os.path.join(folder, name)
    if not os.path.exists(path):
        return None
    with open(path, 'rb') as f:
        return f.read()


def parse_map(ivb, strings):
    """number -> topic string of a #IVB and #STRINGS pair."""
    (size,) = struct.unpack_from('<I', ivb, 0)
    if size + 4 > len(ivb) or size % 8:
        raise MapError(f'#IVB: size {size} does not fit its {len(ivb)} bytes')
    topics = {}
    for pos in range(4, 4 + size, 8):
        number, offset = struct.unpack_from('<II', ivb, pos)
        end = strings.find(b'\0', offset)
        if offset >= len(strings) or end < 0:
            raise MapError(f'#IVB: context {number} points at offset {offset} outside #STRINGS')
        topics[number] = strings[offset:end].decode('utf-8')
    return topics


# --- The container: header, directory chunks, entries ---------------------

def encint(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def decint(data, pos):
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos


class Container:
    def __init__(self, data):
        if data[:4] != b'ITSF' or struct.unpack_from('<I', data, 4)[0] != 3:
            raise MapError('not a version 3 compiled help file')
        self.data = bytearray(data)
        self.hs0_offset = struct.unpack_from('<Q', data, 0x38)[0]
        self.dir_offset = struct.unpack_from('<Q', data, 0x48)[0]
        self.content_offset = struct.unpack_from('<Q', data, 0x58)[0]
        if data[self.dir_offset:self.dir_offset + 4] != b'ITSP':
            raise MapError('directory header missing')
        header_len, chunk_size = struct.unpack_from('<I4xI', data, self.dir_offset + 8)
        if chunk_size != CHUNK:
            raise MapError(f'directory chunk size {chunk_size} is not {CHUNK}')
        self.first_chunk = self.dir_offset + header_len
        self.chunk_count = struct.unpack_from('<I', data, self.dir_offset + 0x2C)[0]

    def chunk_at(self, index):
        return self.first_chunk + index * CHUNK

    def listing_entries(self, index):
        """Entries [name, section, offset, length] of a PMGL chunk, or None."""
        base = self.chunk_at(index)
        if self.data[base:base + 4] != b'PMGL':
            return None
        count = struct.unpack_from('<H', self.data, base + CHUNK - 2)[0]
        entries, pos = [], base + PMGL_HEADER
        for _ in range(count):
            length, pos = decint(self.data, pos)
            name = bytes(self.data[pos:pos + length])
            pos += length
            section, pos = decint(self.data, pos)
            offset, pos = decint(self.data, pos)
            size, pos = decint(self.data, pos)
            entries.append([name, section, offset, size])
        return entries

    def write_listing(self, index, entries):
        """Lays a PMGL chunk out again: entries, free space, quick references
        to every fifth entry, as chmcmd writes them."""
        base = self.chunk_at(index)
        chunk = bytearray(CHUNK)
        chunk[:PMGL_HEADER] = self.data[base:base + PMGL_HEADER]
        pos, quickrefs = PMGL_HEADER, []
        for number, (name, section, offset, size) in enumerate(entries, 1):
            encoded = encint(len(name)) + name + encint(section) + encint(offset) + encint(size)
            if number % 5 == 0:
                quickrefs.append(pos - PMGL_HEADER)
            chunk[pos:pos + len(encoded)] = encoded
            pos += len(encoded)
        if pos > CHUNK - 2 * (len(quickrefs) + 1):
            raise MapError(f'directory chunk {index} cannot hold its entries')
        for n, ref in enumerate(quickrefs, 1):
            struct.pack_into('<H', chunk, CHUNK - 2 - 2 * n, ref)
        struct.pack_into('<H', chunk, CHUNK - 2, len(entries))
        struct.pack_into('<I', chunk, 4, CHUNK - pos)
        self.data[base:base + CHUNK] = chunk

    def append_uncompressed(self, blob):
        """Appends a blob to section 0; returns its offset there."""
        offset = len(self.data) - self.content_offset
        self.data += blob
        struct.pack_into('<Q', self.data, self.hs0_offset + 8, len(self.data))
        return offset

    def repoint(self, targets):
        """Points the named entries at (section 0, offset, length)."""
        left = dict(targets)
        for index in range(self.chunk_count):
            entries = self.listing_entries(index)
            if entries is None:
                continue
            original = bytes(self.data[self.chunk_at(index):self.chunk_at(index) + CHUNK])
            self.write_listing(index, entries)
            if bytes(self.data[self.chunk_at(index):self.chunk_at(index) + CHUNK]) != original:
                raise MapError(f'directory chunk {index} is laid out in a way this tool does not know')
            changed = False
            for entry in entries:
                if entry[0] in left:
                    entry[1:] = [0, *left.pop(entry[0])]
                    changed = True
            if changed:
                self.write_listing(index, entries)
        if left:
            raise MapError('no directory entry for ' + ', '.join(n.decode() for n in left))


# --- Commands -------------------------------------------------------------

def append_strings(strings, topics):
    """Adds the topics to a string file; no string crosses a 4 KB block."""
    out = bytearray(strings or b'\0')
    offsets = {}
    for topic in sorted(set(topics)):
        encoded = topic.encode('utf-8') + b'\0'
        room = STRINGS_BLOCK - len(out) % STRINGS_BLOCK
        if len(encoded) > room:
            out += bytes(room)
        offsets[topic] = len(out)
        out += encoded
    return bytes(out), offsets


def fix(chm_path, hhp_path, ids_path):
    pairs = context_topics(hhp_path, ids_path)
    with tempfile.TemporaryDirectory() as folder:
        extract(chm_path, folder)
        strings = read_extracted(folder, '#STRINGS')
    strings, offsets = append_strings(strings, [topic for _, topic in pairs])
    ivb = struct.pack('<I', 8 * len(pairs))
    ivb += b''.join(struct.pack('<II', number, offsets[topic]) for number, topic in pairs)
    with open(chm_path, 'rb') as f:
        container = Container(f.read())
    targets = {
        b'/#STRINGS': (container.append_uncompressed(strings), len(strings)),
        b'/#IVB': (container.append_uncompressed(ivb), len(ivb)),
    }
    container.repoint(targets)
    with open(chm_path, 'wb') as f:
        f.write(container.data)


def check(chm_path, ids_path):
    """Lists every fault; an empty list means every number has its topic."""
    numbers = read_context_numbers(ids_path)
    faults = []
    with tempfile.TemporaryDirectory() as folder:
        extract(chm_path, folder)
        ivb, strings = read_extracted(folder, '#IVB'), read_extracted(folder, '#STRINGS')
        if ivb is None or strings is None:
            return ['no context map (#IVB, #STRINGS) in the file']
        topics = parse_map(ivb, strings)
        for name, number in sorted(numbers.items(), key=lambda item: item[1]):
            topic = topics.get(number)
            if topic is None:
                faults.append(f'{name} ({number}): not in the map')
            elif not topic.startswith('/') or not os.path.isfile(os.path.join(folder, topic[1:])):
                faults.append(f'{name} ({number}): topic "{topic}" is not in the file')
            else:
                with open(os.path.join(folder, topic[1:]), encoding='utf-8') as f:
                    if not re.search(r'<title>[^<]+</title>', f.read()):
                        faults.append(f'{name} ({number}): topic "{topic}" has no title')
    return faults


def main(argv):
    try:
        if len(argv) == 5 and argv[1] == 'fix':
            fix(argv[2], argv[3], argv[4])
            return 0
        if len(argv) == 4 and argv[1] == 'check':
            faults = check(argv[2], argv[3])
            for fault in faults:
                print(fault)
            print(f'{argv[2]}: {len(faults)} faults')
            return 1 if faults else 0
    except (MapError, OSError, struct.error) as error:
        print(f'chmmap: {error}', file=sys.stderr)
        return 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))

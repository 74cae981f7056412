# Puts the resource section of an executable that lld linked at its end, where the GNU linker's
# script puts it: lld places the base relocations behind the resources, and jvmhost-pack can
# only replace the resources whole when nothing follows them. The relocations list the pages
# they patch, never their own place, so they move as they are; the resources' data entries hold
# addresses, which move with the section.
#   resources_last.py EXECUTABLE
import struct
import sys

RESOURCE_DIRECTORY = 2
RELOCATION_DIRECTORY = 5


def align(value, alignment):
    return (value + alignment - 1) // alignment * alignment


def move_data_entries(section, offset, delta):
    """Adds delta to the address of every data entry under the resource directory at offset."""
    named, numbered = struct.unpack_from("<HH", section, offset + 12)
    for index in range(named + numbered):
        _, target = struct.unpack_from("<II", section, offset + 16 + 8 * index)
        if target & 0x80000000:
            move_data_entries(section, target & 0x7FFFFFFF, delta)
        else:
            address = struct.unpack_from("<I", section, target)[0]
            struct.pack_into("<I", section, target, address + delta)


def main(path):
    image = bytearray(open(path, "rb").read())
    header = struct.unpack_from("<I", image, 0x3C)[0]
    count, _, _, _, optional_size = struct.unpack_from("<HIIIH", image, header + 6)
    optional = header + 24
    section_alignment = struct.unpack_from("<I", image, optional + 32)[0]
    directories = optional + (112 if struct.unpack_from("<H", image, optional)[0] == 0x20B else 96)
    table = optional + optional_size
    names = [image[table + 40 * i : table + 40 * i + 8].rstrip(b"\0") for i in range(count)]
    if names[-1] == b".rsrc":
        return 0
    if names[-2:] != [b".rsrc", b".reloc"]:
        print(f"resources_last.py: {path} does not end with .rsrc and .reloc", file=sys.stderr)
        return 1
    resources = table + 40 * (count - 2)
    relocations = table + 40 * (count - 1)
    rsrc_size, rsrc_address, rsrc_raw_size, rsrc_raw = struct.unpack_from("<IIII", image, resources + 8)
    reloc_size, _, reloc_raw_size, reloc_raw = struct.unpack_from("<IIII", image, relocations + 8)
    if reloc_raw != rsrc_raw + rsrc_raw_size or reloc_raw + reloc_raw_size != len(image):
        print(f"resources_last.py: {path} has data behind its sections", file=sys.stderr)
        return 1

    new_rsrc_address = align(rsrc_address + reloc_size, section_alignment)
    new_rsrc_raw = rsrc_raw + reloc_raw_size
    resource_bytes = bytearray(image[rsrc_raw : rsrc_raw + rsrc_raw_size])
    move_data_entries(resource_bytes, 0, new_rsrc_address - rsrc_address)
    relocation_header = bytearray(image[relocations : relocations + 40])
    resource_header = bytearray(image[resources : resources + 40])
    struct.pack_into("<II", relocation_header, 8, reloc_size, rsrc_address)
    struct.pack_into("<I", relocation_header, 20, rsrc_raw)
    struct.pack_into("<II", resource_header, 8, rsrc_size, new_rsrc_address)
    struct.pack_into("<I", resource_header, 20, new_rsrc_raw)

    out = image[:rsrc_raw] + image[reloc_raw : reloc_raw + reloc_raw_size] + resource_bytes
    out[resources : resources + 40] = relocation_header
    out[relocations : relocations + 40] = resource_header
    struct.pack_into("<I", out, directories + 8 * RESOURCE_DIRECTORY, new_rsrc_address)
    struct.pack_into("<I", out, directories + 8 * RELOCATION_DIRECTORY, rsrc_address)
    struct.pack_into("<I", out, optional + 56, align(new_rsrc_address + rsrc_size, section_alignment))
    open(path, "wb").write(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/.

The targets read their input through FuzzedDataProvider, which turns any
bytes into sizes, offsets and colours, so plain patterns of a few lengths make
good seeds; the BMP header target also gets real headers, and the sound
target small Ogg Vorbis files made by sox and oggenc (Debian's sox and
vorbis-tools). Run it again after changing it: the output depends on nothing
but this file and those two tools.
"""
import os
import struct
import subprocess
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def patterns():
    seeds = {"zeros-64": bytes(64), "ones-64": b"\xff" * 64, "ramp-256": bytes(range(256))}
    state = 12345
    for length in (16, 96, 400):
        out = bytearray()
        for _ in range(length):
            state = (state * 1103515245 + 12345) % 2**31
            out.append(state >> 16 & 0xFF)
        seeds["lcg-%d" % length] = bytes(out)
    return seeds


def bmp_head(width, height, bits, compression=0, image_size=0, info_size=40, offset=None):
    if offset is None:
        offset = 14 + info_size
    if info_size == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bits, compression, image_size,
                           2835, 2835, 0, 0)
    head = b"BM" + struct.pack("<IHHI", 0, 0, 0, offset) + info
    return head[:54]


def bmp_seed(head, file_size):
    # The whole file, then what the target takes from the input's end: a
    # cut length (two bytes) and, last, the form byte (2: as it stands).
    return head + bytes(max(0, file_size - len(head))) + struct.pack("<H", 0xFFFF) + b"\x02"


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_seed(width, height, bit_depth, colour_type, trns=False):
    ihdr = struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0)
    body = png_chunk(b"IHDR", ihdr)
    if trns:
        body += png_chunk(b"tRNS", b"\x00\x01")
    body += png_chunk(b"IDAT", zlib.compress(bytes(height * (1 + width * 3)))) + png_chunk(b"IEND", b"")
    return b"\x89PNG\r\n\x1a\n" + body + struct.pack("<H", 0xFFFF) + b"\x02"


def bmp_seeds():
    row24 = (15 * 24 + 31) // 32 * 4
    return {
        "small-24bit": bmp_seed(bmp_head(15, 15, 24), 54 + row24 * 15),
        "top-down-32bit": bmp_seed(bmp_head(16, -8, 32), 54 + 16 * 4 * 8),
        "cut-short": bmp_seed(bmp_head(15, 15, 24), 54 + row24 * 14),
        "rle8": bmp_seed(bmp_head(40, 40, 8, compression=1, image_size=900, offset=54 + 1024), 54 + 1024 + 900),
        "core-header": bmp_head(20, 10, 24, info_size=12) + bytes(28),
        "v3-header": bmp_seed(bmp_head(4, 4, 32, compression=3, info_size=56), 14 + 56 + 64),
        "widest": bmp_seed(bmp_head(16384, -1, 1), 54 + 2048),
        "huge-width": bmp_seed(bmp_head(0x7FFFFFFF, -0x80000000, 32), 80),
        "png-rgb": png_seed(8, 4, 8, 2),
        "png-palette-trns": png_seed(8, 4, 8, 3, trns=True),
    }


def ogg_packets(data):
    """The packets of a one-stream Ogg file, joined across its pages."""
    packets, current, at = [], b"", 0
    while at + 27 <= len(data) and data[at:at + 4] == b"OggS":
        count = data[at + 26]
        lacing = data[at + 27:at + 27 + count]
        body = at + 27 + count
        for length in lacing:
            current += data[body:body + length]
            body += length
            if length < 255:
                packets.append(current)
                current = b""
        at = body
    return packets


def vorbis_seeds():
    # Small tones in the layouts the decoder meets: each as the whole file
    # (form 0) and as its packets for the target to lay into pages (form 2:
    # a two-byte length per packet; the top bit ends a page, as every
    # eighth audio packet does here).
    layouts = {
        "mono-8k": ("8000", "1", "0.3", "-1"),
        "stereo-22k": ("22050", "2", "0.2", "2"),
        "mono-44k": ("44100", "1", "0.1", "6"),
        "six-channels-8k": ("8000", "6", "0.1", "0"),  # submaps and coupling of 5.1
    }
    seeds = {}
    with tempfile.TemporaryDirectory() as work:
        for name, (rate, channels, seconds, quality) in layouts.items():
            wav, ogg = os.path.join(work, name + ".wav"), os.path.join(work, name + ".ogg")
            subprocess.run(["sox", "-q", "-D", "-n", "-r", rate, "-c", channels, "-b", "16", wav,
                            "synth", seconds, "sine", "440", "sine", "660", "vol", "0.5"], check=True)
            # (oggenc notes the "fact" chunk of a WAV of more than two channels.)
            subprocess.run(["oggenc", "-Q", "-q", quality, "--serial", "90", "-o", ogg, wav], check=True,
                           stderr=subprocess.DEVNULL)
            with open(ogg, "rb") as f:
                data = f.read()
            seeds["vorbis-" + name] = b"\x00" + data
            listed = b"\x02"
            for i, packet in enumerate(ogg_packets(data)):
                word = len(packet) | (0x8000 if i > 2 and i % 8 == 0 else 0)
                listed += struct.pack("<H", word) + packet
            seeds["vorbis-packets-" + name] = listed
    return seeds


def main():
    targets = {
        "fuzz_compose": patterns(),
        "fuzz_shape_runs": patterns(),
        "fuzz_area_scale": patterns(),
        "fuzz_key_picture": patterns(),
        "fuzz_time_checks": patterns(),
        "fuzz_bmp_header": dict(patterns(), **bmp_seeds()),
        "fuzz_sound_decode": vorbis_seeds(),
    }
    for target, seeds in targets.items():
        folder = os.path.join(HERE, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()

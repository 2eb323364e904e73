#!/usr/bin/env python3
# Writes the seed inputs of the fuzz targets under fuzz/corpus/<target>/: valid files and
# replies for each parser to start from, in the target's own input form (a leading byte that
# picks the mode, then the file or the stream). Run again after a format changes:
#   python3 fuzz/make_corpus.py
import os, random, struct, subprocess, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def put(target, name, data):
    d = os.path.join(HERE, "corpus", target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), "wb") as f:
        f.write(data)


# Configuration: mode 0 reads "Lantrel.xml", mode 1 a DMX mapping file.
with open(os.path.join(ROOT, "resources", "Lantrel.xml"), "rb") as f:
    put("fuzz_config", "lantrel", b"\x00" + f.read())
dmx = b"<?xml version='1.0' encoding='UTF-8'?>\n<DMX_Mapping>\n  <Commands>\n"
for channel, name in [(1, "Enable"), (11, "Gamma"), (509, "Color Temperature")]:
    dmx += b"    <dmx_command channel='%d'>%s</dmx_command>\n" % (channel, name.encode())
dmx += b"  </Commands>\n</DMX_Mapping>\n"
put("fuzz_config", "dmx", b"\x01" + dmx)
put("fuzz_config", "dmx_empty", b"\x01<DMX_Mapping><Commands/></DMX_Mapping>")

# Project files: every section, groups and fixtures of both kinds, as the writer lays them out.
project = b"""<?xml version="1.0" encoding="UTF-8"?>
<ProjectConfig>
    <Workspace>
        <border show="true" top-left_hor="10" top-left_ver="20" width="1000" height="500"/>
        <grid show="true" spacing="64"/>
        <Background show="true" top-left_hor="0" top-left_ver="0" width="1920" height="1080" ratio="resize">b.png</Background>
    </Workspace>
    <Video_Input>
        <source>HDMI1</source>
        <rotation>-90</rotation>
        <resize type="custom" std_format="HD720_1280x720" width="1280" height="720"/>
        <top-left-pos hor="100" ver="50">true</top-left-pos>
    </Video_Input>
    <InputCorr>
        <Brightness>100</Brightness>
        <Contrast>140</Contrast>
        <Hue>5</Hue>
        <Saturation>200</Saturation>
    </InputCorr>
    <OutputCorr>
        <ColorTemp mode="custom" temperature="3200" coeff_red="512" coeff_green="254" coeff_blue="97"/>
        <Gamma coeff_red="220" coeff_green="230" coeff_blue="240"/>
    </OutputCorr>
    <Fixtures>
        <Group id="1" X_pos="100" Y_pos="100" X_anchor="150" Y_anchor="120" rotation="45">G</Group>
        <Fixture type="0x00000002" chn="1" cabling_pos="1" X_pos="100" Y_pos="101" X_anchor="150" Y_anchor="120" rotation="0" group="1" lumi_red="500" lumi_green="400" lumi_blue="300" lumi_global="80" blackout_mode="0" blackout_on="90" blackout_off="80" fan_mode="0" fan_on="60" fan_off="50"/>
        <Fixture type="0x00000002" chn="1" cabling_pos="2" X_pos="228" Y_pos="101" X_anchor="291" Y_anchor="130" rotation="0" group="1" lumi_red="512" lumi_green="512" lumi_blue="512" lumi_global="100" blackout_mode="0" blackout_on="90" blackout_off="80" fan_mode="0" fan_on="60" fan_off="50"/>
        <Fixture type="0x10000001" chn="0" cabling_pos="300" X_pos="1500" Y_pos="800" X_anchor="1532" Y_anchor="832" rotation="180" group="0" lumi_red="0" lumi_green="0" lumi_blue="0" lumi_global="0" blackout_mode="1" blackout_on="-5" blackout_off="-10" fan_mode="1" fan_on="45" fan_off="40"/>
    </Fixtures>
</ProjectConfig>
"""
put("fuzz_project", "every_section", b"\x00" + project)
# The other choice of each switch: standard resize, kept ratio, no grid, standard colour temperature.
variant = project
for old, new in [(b'ratio="resize"', b'ratio="keep"'), (b'type="custom" std_format="HD720_1280x720"',
                 b'type="standard" std_format="HD1080_1920x1080"'), (b'<grid show="true"', b'<grid show="false"'),
                 (b'<source>HDMI1', b'<source>DVI2'), (b'ColorTemp mode="custom"', b'ColorTemp mode="standard"'),
                 (b'rotation="45"', b'rotation="-180"')]:
    variant = variant.replace(old, new)
put("fuzz_project", "other_choices", b"\x00" + variant)
put("fuzz_project", "splice", b"\x01" + bytes(range(0, 64, 3)))

# HEX files as objcopy writes them: linear addresses across 64 KB, and segment addresses.
rng = random.Random(7)
with tempfile.TemporaryDirectory() as tmp:
    for name, address, size in [("linear", 0x1D000000, 300), ("across_64k", 0x1D00FFF0, 64),
                                ("segment", 0x00012000, 48), ("window_end", 0x1D4FFFF0, 32)]:
        binary = os.path.join(tmp, "in.bin")
        with open(binary, "wb") as f:
            f.write(bytes(rng.randrange(256) for _ in range(size)))
        out = os.path.join(tmp, "out.hex")
        subprocess.run(["objcopy", "-I", "binary", "-O", "ihex", "--change-addresses", hex(address), binary, out],
                       check=True)
        with open(out, "rb") as f:
            put("fuzz_hexfile", name, f.read())


# VPU replies: pattern byte, two size bytes (size = b1 * 37 + b2), then what the VPU sends.
def msg(msg_id, payload):
    return struct.pack("<BI", msg_id, len(payload)) + payload


def status(value=0):
    return msg(1, struct.pack("<i", value))


put("fuzz_framing", "status", bytes([0, 0, 0]) + status())
put("fuzz_framing", "status_error", bytes([5, 0, 0]) + status(-205))
put("fuzz_framing", "typed", bytes([1, 9, 3]) + msg(9, bytes(range(256)) + bytes(9 * 37 + 3 - 256)))
put("fuzz_framing", "bulk_write", bytes([2, 2, 10]) + status())
size = 2 * 37 + 10
put("fuzz_framing", "chunked_read", bytes([3, 2, 10]) + msg(6, struct.pack("<i", 0) + bytes(range(size))))
big = 60 * 37 + 5  # two chunks of 1916 bytes at most
put("fuzz_framing", "chunked_read_two",
    bytes([3, 60, 5]) + msg(6, struct.pack("<i", 0) + b"\xA5" * 1916) + msg(6, struct.pack("<i", 0) + b"\x5A" * (big - 1916)))
put("fuzz_framing", "data_stream", bytes([4, 0, 20]) + msg(6, bytes(20)) * 3)


# Bootloader frames: SOH, body and CRC-16 (little end) escaped with DLE, EOT.
def crc16(data):
    crc = 0
    for b in data:
        crc ^= b << 8
        for _ in range(8):
            crc = ((crc << 1) ^ 0x1021 if crc & 0x8000 else crc << 1) & 0xFFFF
    return crc


def frame(body):
    plain = body + struct.pack("<H", crc16(body))
    out = b"\x01"
    for b in plain:
        if b in (0x01, 0x04, 0x10):
            out += b"\x10"
        out += bytes([b])
    return out + b"\x04"


put("fuzz_bootframe", "version", bytes([63]) + frame(b"\x01\x01\x04"))
put("fuzz_bootframe", "escapes", bytes([0]) + frame(b"\x03\x01\x04\x10\x10"))
put("fuzz_bootframe", "verify_then_noise", bytes([7]) + frame(b"\x04\x34\x12") + b"\x10\x04\x01\x01" + frame(b"\x05"))


# Gain files: one picture of 2 lines by 3 columns in each format. Coefficient k of the pixel
# at line l, column c is (9 c + 37 l + 61 k) mod 513 on the 512 scale, so that neighbours
# differ and the top coefficients wrap to small ones; ELDIM keeps 256 steps, cut down.
GAIN_LINES, GAIN_COLUMNS = 2, 3
gain_pixels = [(l, c) for l in range(GAIN_LINES) for c in range(GAIN_COLUMNS)]


def gain_coefs(line, column):
    return [(9 * column + 37 * line + 61 * k) % 513 for k in range(9)]


def gain_rows(row):
    return b"".join(row(l, c, gain_coefs(l, c)).encode() + b"\n" for l, c in gain_pixels)


put("fuzz_gainfile", "vu3", b"0[VU30]\n" + gain_rows(
    lambda l, c, coefs: "%d,%d," % (c, l) + ",".join("%.6f" % (v / 512) for v in coefs)))
put("fuzz_gainfile", "eldim", b"1%d,%d,9\n" % (GAIN_LINES, GAIN_COLUMNS) + gain_rows(
    lambda l, c, coefs: "".join("%d," % (v * 255 // 512) for v in coefs)))
put("fuzz_gainfile", "radiant", b"2" + gain_rows(
    lambda l, c, coefs: "%d,%d," % (l + 1, c + 1) + ",".join("%.4f" % (v / 512) for v in coefs)))

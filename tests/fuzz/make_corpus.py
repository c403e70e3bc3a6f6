#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into corpus/<target>/.

The seeds are what a receiver really sends (sentences recorded from the simulator, start-up
banners, version and acknowledgement replies, download replies) in the input layout each target
reads. Run it again after changing a layout; the files are checked in.
"""
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RECORDED = os.path.join(HERE, "..", "data", "sim_cold_start.nmea")
FOUR_SYSTEMS = os.path.join(HERE, "..", "data", "sim_four_systems.nmea")


def nmea(body):
    x = 0
    for ch in body.encode("latin-1"):
        x ^= ch
    return "$%s*%02X\r\n" % (body, x)


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def version_reply():
    """The second family's binary answer to the revision query, as the simulator sends it."""
    version_and_date = b"PLN2.03-1019" + bytes([0x19, 10, 7])
    crc = 0xFFFF
    for byte in version_and_date:
        crc ^= byte << 8
        for _ in range(8):
            crc = ((crc << 1) ^ 0x1021) & 0xFFFF if crc & 0x8000 else (crc << 1) & 0xFFFF
    body = bytes([0xF1, 0x85]) + version_and_date + bytes(5) + bytes([crc & 0xFF, crc >> 8])
    total = 0
    for byte in body:
        total ^= byte
    return b"%%" + body + bytes([total]) + b"\r\n"


BANNER = ("$SkyWren,GPS receiver module\r\n"
          "$Kernel: 1.2.04,2007/09/21\r\n"
          "$ver:1.4.27,rev,07101912\r\n")
DATED = "$PLC,PLN2.03-1019,071019,120000\r\n"

FIX = "".join([
    nmea("GPGGA,120005.000,2459.2057,N,12130.1234,E,1,10,1.0,56.3,M,15.2,M,,"),
    nmea("GPGSA,A,3,02,07,10,13,15,16,21,24,26,29,,,1.7,1.0,1.4"),
    nmea("GPGSV,3,1,11,02,11,014,28,05,01,042,,07,80,067,43,10,19,107,29"),
    nmea("GPGSV,3,2,11,13,52,143,40,15,60,175,40,16,55,201,37,21,36,242,33"),
    nmea("GPGSV,3,3,11,24,17,272,33,26,40,299,37,29,68,346,43"),
    nmea("GPRMC,120005.000,A,2459.2057,S,12130.1234,W,12.50,271.3,191007,3.1,W,A"),
])


def gsv_group(count):
    """More satellites than the table holds, four to a message."""
    messages = (count + 3) // 4
    text = ""
    for number in range(1, messages + 1):
        fields = []
        for prn in range((number - 1) * 4 + 1, min(number * 4, count) + 1):
            fields += ["%02d" % prn, "%02d" % (prn % 90), "%03d" % (prn * 7 % 360), "%02d" % (prn % 50)]
        text += nmea("GPGSV,%d,%d,%d,%s" % (messages, number, count, ",".join(fields)))
    return text


def loop_seed(flags, size, stream):
    return bytes([flags, size]) + (stream.encode("latin-1") if isinstance(stream, str) else stream)


def receive_loop():
    with open(RECORDED, "rb") as f:
        recorded = f.read()
    write("receive_loop", "recorded_whole_reads", loop_seed(0, 124, recorded[:3000]))
    write("receive_loop", "recorded_byte_by_byte_lumo", loop_seed(1 | 2, 0, recorded[:600]))
    write("receive_loop", "recorded_backlog", loop_seed(4, 200, recorded[:3400]))
    write("receive_loop", "fix_view_point", loop_seed(2 | 8, 5, FIX))
    write("receive_loop", "banner_then_fix", loop_seed(0, 9, BANNER + FIX))
    write("receive_loop", "dated_banner", loop_seed(16, 3, DATED + FIX))
    write("receive_loop", "version_reply", loop_seed(1, 7, version_reply() + FIX.encode()))
    write("receive_loop", "version_reply_after_filled", loop_seed(1 | 32, 7, version_reply()))
    write("receive_loop", "too_many_satellites", loop_seed(0, 60, gsv_group(48)))
    with open(FOUR_SYSTEMS, "rb") as f:
        write("receive_loop", "four_systems", loop_seed(0, 200, f.read()[:3400]))
    write("receive_loop", "other_talkers", loop_seed(0, 40, "".join([
        nmea("GNGGA,235959.999,8959.9999,N,17959.9999,E,2,12,0.5,-12.5,M,,M,,"),
        nmea("BDGSA,M,2,,,,,,,,,,,,,99.9,99.9,99.9"),
        nmea("GLGSV,1,1,00"),
        nmea("GPRMC,,V,,,,,,,,,,N"),
        nmea("GPGGA,1,2,3"),
    ])))
    write("receive_loop", "broken_checksums", loop_seed(0, 20, FIX.replace("*", "*0").replace("\r\n", "")))
    write("receive_loop", "long_line_without_dollar", loop_seed(0, 255, "x" * 5000 + FIX))
    write("receive_loop", "silence_and_noise", loop_seed(4, 1, bytes(range(256))))


def acknowledgement():
    head = bytes([0xA0, 0xA1, 0x00, 0x02, 0x83])
    ack = head + bytes([0x01, 0x82, 0x0D, 0x0A])
    refusal = bytes([0xA0, 0xA1, 0x00, 0x02, 0x84, 0x01, 0x85, 0x0D, 0x0A])
    sentences = FIX.encode()
    write("acknowledgement", "ack_alone", bytes([63]) + ack)
    write("acknowledgement", "ack_after_sentences", bytes([40]) + sentences + ack + sentences)
    write("acknowledgement", "ack_byte_by_byte", bytes([0]) + sentences[:100] + ack)
    write("acknowledgement", "refusal_then_ack", bytes([2]) + refusal + ack)
    write("acknowledgement", "false_start_swallows_head", bytes([3]) + bytes([0xA0]) + ack)
    write("acknowledgement", "no_ack", bytes([10]) + sentences)


def loader_text(lines, width=16):
    text = ""
    for i in range(lines):
        data = bytes((i * 7 + k) & 0xFF for k in range(width))
        record = bytes([len(data) + 3, 0x10 + (i >> 4), (i << 4) & 0xFF]) + data
        record += bytes([~sum(record) & 0xFF])
        text += "S1" + record.hex().upper() + "\r\n"
    return text


def files_seed(piece, flags, loader, image):
    loader = loader.encode("latin-1")
    return bytes([piece, flags]) + struct.pack(">H", len(loader)) + loader + image


def upgrade_files():
    image = bytes((i * 31) & 0xFF for i in range(700))
    write("upgrade_files", "sound_files", files_seed(16, 0, loader_text(10), image))
    write("upgrade_files", "full_loader", files_seed(200, 0, loader_text(150, 4), image[:10]))
    write("upgrade_files", "loader_line_too_many", files_seed(3, 0, loader_text(150, 4) + "S9030000FC\r\n", b"x"))
    write("upgrade_files", "longest_line", files_seed(1, 0, "S" + "1" * 47 + "\r\n", b"\x01\x02"))
    write("upgrade_files", "line_one_too_long", files_seed(5, 0, "S" + "1" * 48 + "\r\n", b"\x01"))
    write("upgrade_files", "line_feeds_only", files_seed(7, 0, loader_text(3).replace("\r\n", "\n"), image))
    write("upgrade_files", "no_last_line_end", files_seed(9, 0, loader_text(3)[:-2], image))
    write("upgrade_files", "image_at_capacity", files_seed(64, 1, loader_text(2), image))
    write("upgrade_files", "image_too_large", files_seed(64, 2, loader_text(2), image))
    write("upgrade_files", "files_missing", files_seed(64, 4 | 8, "", b""))
    write("upgrade_files", "empty_image", files_seed(64, 0, loader_text(2), b""))
    write("upgrade_files", "already_loaded", files_seed(64, 16 | 4 | 8, "", b""))


def reply(text):
    data = text.encode("latin-1") if isinstance(text, str) else text
    return bytes([len(data)]) + data


def download_seed(lines, size_word, replies):
    return bytes([lines - 1]) + struct.pack(">H", size_word) + b"".join(reply(r) for r in replies)


def exchange(lines, image_size, end="END", ready="OK"):
    """The replies of a receiver that follows the download, one per tick."""
    replies = ["", ready]                     # request out; ready answer
    replies += [""] * ((lines + 29) // 30)    # loader lines, 30 a tick
    replies += ["END", "", ""]                # loader taken; rate switch; header out
    blocks = (image_size + 8191) // 8192
    for _ in range(blocks):
        replies += ["OK", ""]                 # block acknowledged; block out
    replies += [end]
    return replies


def size_word(image_size):
    # The target scales the word to 1 .. capacity; this inverts it closely enough for seeds.
    return min(0xFFFF, (image_size - 1) * 0xFFFF // (32 * 8192 - 1))


def download():
    write("download", "one_block", download_seed(10, size_word(5000), exchange(10, 5000)))
    write("download", "three_blocks", download_seed(40, size_word(20000), exchange(40, 20000)))
    write("download", "receiver_refuses_image", download_seed(3, 0, exchange(3, 1, end="Err")))
    write("download", "receiver_silent", download_seed(5, 100, []))
    write("download", "ready_in_noise", download_seed(5, 0, exchange(5, 1, ready="\r\n$GPGGA,,OK,*00\r\n")))
    write("download", "reply_split_over_reads", download_seed(5, 0, ["", "O", "K", "", "EN", "D"]))
    write("download", "wrong_replies", download_seed(5, 0, ["", "END", "Err", "OK", "", "OK", "Err"]))


def write_finding(target, name, data):
    folder = os.path.join(HERE, "findings", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def findings():
    """Smallest inputs of faults found by fuzzing and not yet fixed; see findings/README."""
    write_finding("upgrade_files", "zero_byte_inside_loader_line",
                  files_seed(16, 0, "S1\0" + "0\r\n", b"x"))
    write_finding("upgrade_files", "empty_line_after_full_loader",
                  files_seed(200, 0, loader_text(150, 4) + "\n", b"x"))


if __name__ == "__main__":
    shutil.rmtree(os.path.join(HERE, "corpus"), ignore_errors=True)
    receive_loop()
    acknowledgement()
    upgrade_files()
    download()
    findings()

#!/usr/bin/env python3
"""Soaks `lyre server`: many open documents importing each other in a cycle,
thousands of random edits with malformed messages and requests mixed in.

Passes when the server answers every request, its resident memory stays flat
after the first minute (or, in a shorter run, after the first fifth of the
edits), and it exits with status 0 on `shutdown` then `exit`.

usage: scripts/soak-server.py [--lyre build/release/lyre] [--documents 100] [--edits 10000]
                              [--seed 1]
"""

import argparse
import json
import random
import subprocess
import sys
import threading
import time

REQUESTS = ["textDocument/hover", "textDocument/definition", "textDocument/documentSymbol",
            "textDocument/completion"]
# Pieces an edit inserts: parts of real lines, lines that fail, odd bytes.
PIECES = ["", "x", "\n", "sine 0 60 1\n", "## extra\n", "# Layers\n", "@layer l1\n",
          "@import d0.track\n", "harp 1 62 2\n", "  pitch 0 2\n", "@tempo fast\n", "é", "🎵",
          "\t", "motif riff 4 sine\n", "subtrack l2 8\n", "@marker 4 a\n"]


def frame(body):
    data = body.encode() if isinstance(body, str) else body
    return b"Content-Length: %d\r\n\r\n" % len(data) + data


def document(i, count):
    return (f"@import d{(i + 1) % count}.track\n\n# Songs\n\n## s{i}\n@layer l{i}\n\n"
            f"# Layers\n\n## l{i}\nsine 0 60 1\nharp {i % 8} 64 1\n\n# Sounds\n\n## p{i}\nsine 1\n")


class Server:
    def __init__(self, lyre):
        self.process = subprocess.Popen([lyre, "server"], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.answered = set()
        self.errors = 0
        self.diagnostics = 0
        self.lock = threading.Lock()
        self.reader = threading.Thread(target=self.read, daemon=True)
        self.reader.start()

    def send(self, body):
        self.process.stdin.write(frame(body))
        self.process.stdin.flush()

    def request(self, id_, method, params):
        self.send(json.dumps({"jsonrpc": "2.0", "id": id_, "method": method, "params": params}))

    def notify(self, method, params):
        self.send(json.dumps({"jsonrpc": "2.0", "method": method, "params": params}))

    def read(self):
        out = self.process.stdout
        while True:
            length = None
            while True:
                line = out.readline()
                if not line:
                    return
                if line in (b"\r\n", b"\n"):
                    break
                name, _, value = line.decode().partition(":")
                if name.lower() == "content-length":
                    length = int(value)
            message = json.loads(out.read(length))
            with self.lock:
                if "id" in message and message["id"] is not None:
                    self.answered.add(message["id"])
                if "error" in message:
                    self.errors += 1
                if message.get("method") == "textDocument/publishDiagnostics":
                    self.diagnostics += 1

    def rss_mb(self):
        with open(f"/proc/{self.process.pid}/status") as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024
        return 0.0


def malformed(rng, id_):
    """A message the server must survive; the requests among them want an answer."""
    kind = rng.randrange(5)
    if kind == 0:
        return "{not json", None
    if kind == 1:
        return "[1, 2, 3]", None
    if kind == 2:
        return json.dumps({"jsonrpc": "2.0", "id": id_, "method": "no/such/method"}), id_
    if kind == 3:
        return json.dumps({"jsonrpc": "2.0", "id": id_, "method": "textDocument/hover",
                           "params": {"textDocument": 7}}), id_
    return json.dumps({"jsonrpc": "2.0", "method": "textDocument/didChange",
                       "params": {"contentChanges": "none"}}), None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lyre", default="build/release/lyre")
    parser.add_argument("--documents", type=int, default=100)
    parser.add_argument("--edits", type=int, default=10000)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    server = Server(args.lyre)
    start = time.monotonic()
    server.request(0, "initialize", {"processId": None, "rootUri": "file:///soak",
                                     "capabilities": {}})
    server.notify("initialized", {})
    uris = [f"file:///soak/d{i}.track" for i in range(args.documents)]
    texts = [document(i, args.documents) for i in range(args.documents)]
    for uri, text in zip(uris, texts):
        server.notify("textDocument/didOpen", {"textDocument": {
            "uri": uri, "languageId": "track", "version": 1, "text": text}})

    asked = {0}
    next_id = 1
    samples = []  # (edits done, seconds, resident MB)
    for edit in range(1, args.edits + 1):
        d = rng.randrange(args.documents)
        lines = texts[d].count("\n") + 1
        # Ranges anywhere, past the ends of lines and of the text included.
        a = (rng.randrange(lines + 2), rng.randrange(40))
        b = (a[0] + rng.randrange(3), rng.randrange(40))
        server.notify("textDocument/didChange", {
            "textDocument": {"uri": uris[d], "version": edit + 1},
            "contentChanges": [{"range": {"start": {"line": a[0], "character": a[1]},
                                          "end": {"line": b[0], "character": b[1]}},
                                "text": rng.choice(PIECES)}]})
        if edit % 500 == 0:  # now and then the whole text again, so it stays a track
            server.notify("textDocument/didChange", {
                "textDocument": {"uri": uris[d], "version": edit + 1},
                "contentChanges": [{"text": document(d, args.documents)}]})
        if edit % 25 == 0:
            body, id_ = malformed(rng, next_id)
            server.send(body)
            if id_ is not None:
                asked.add(id_)
                next_id += 1
        if edit % 10 == 0:
            method = rng.choice(REQUESTS)
            params = {"textDocument": {"uri": uris[d]},
                      "position": {"line": rng.randrange(lines), "character": rng.randrange(20)}}
            if method == "textDocument/documentSymbol":
                del params["position"]
            server.request(next_id, method, params)
            asked.add(next_id)
            next_id += 1
        if edit % 200 == 0:
            samples.append((edit, time.monotonic() - start, server.rss_mb()))

    server.request(next_id, "shutdown", None)
    asked.add(next_id)
    deadline = time.monotonic() + 600
    while time.monotonic() < deadline:
        with server.lock:
            if asked <= server.answered:
                break
        time.sleep(0.05)
    samples.append((args.edits, time.monotonic() - start, server.rss_mb()))
    server.notify("exit", None)
    server.process.stdin.close()
    try:
        status = server.process.wait(timeout=30)
    except subprocess.TimeoutExpired:
        server.process.kill()
        status = "did not exit"

    # Memory is flat when every sample after the first minute (or the first
    # fifth of the edits) stays within a quarter, plus 5 MB, of the first such sample.
    settled = [s for s in samples if s[1] >= 60] or samples[len(samples) // 5:]
    base = settled[0][2]
    peak = max(s[2] for s in settled)
    flat = peak <= base * 1.25 + 5
    missing = sorted(asked - server.answered)
    seconds = time.monotonic() - start
    print(f"{args.documents} documents in an import cycle, {args.edits} edits in {seconds:.0f} s; "
          f"{len(asked)} requests, {len(missing)} unanswered; {server.errors} error responses; "
          f"{server.diagnostics} diagnostics notifications")
    print(f"resident memory: {samples[0][2]:.1f} MB after {samples[0][0]} edits, "
          f"{base:.1f} MB when settled, at most {peak:.1f} MB after, "
          f"{samples[-1][2]:.1f} MB at the end: {'flat' if flat else 'NOT FLAT'}")
    print(f"exit status after shutdown and exit: {status}")
    ok = not missing and flat and status == 0
    print("soak: " + ("passed" if ok else "FAILED"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())

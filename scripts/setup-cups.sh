#!/usr/bin/env bash
# Best effort: a CUPS scheduler with a PDF queue "TillscribePDF", so that the
# print test prints for real. Where this cannot be had, that test is skipped.
set -uo pipefail

if ! command -v cupsd >/dev/null || [ ! -e /usr/lib/cups/backend/cups-pdf ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y --no-install-recommends cups cups-client cups-bsd printer-driver-cups-pdf >/dev/null \
        || { echo "setup-cups: cannot install CUPS"; exit 1; }
fi
if ! lpstat -r >/dev/null 2>&1; then
    cupsd || { echo "setup-cups: cannot start cupsd"; exit 1; }
    for _ in $(seq 50); do lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
fi
if ! lpstat -p TillscribePDF >/dev/null 2>&1; then
    lpadmin -p TillscribePDF -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null \
        || { echo "setup-cups: cannot add the PDF queue"; exit 1; }
fi
echo "setup-cups: printing to TillscribePDF"

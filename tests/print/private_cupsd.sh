#!/usr/bin/env bash
# private_cupsd.sh start DIR | stop DIR
#
# A CUPS server of the tests' own, never the machine's: its configuration, spool, logs and socket
# all live in DIR (which must be reachable by the lp user, as filters run as lp). It has one queue,
# "zg-test", the default, whose device is the file DIR/out/job.pdf and whose PPD passes PDF
# through a filter of ours (CUPS 2.4 raw queues with a file device write nothing). Its page is A4
# at 300 dpi. Clients reach it with CUPS_SERVER=DIR/cups.sock. `stop` ends it by its PID.
set -euo pipefail

action=${1:?usage: private_cupsd.sh start|stop DIR}
dir=${2:?usage: private_cupsd.sh start|stop DIR}

write_ppd() {
  cat >"$dir/zg-test.ppd" <<PPD
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "ZGTEST.PPD"
*Manufacturer: "Test"
*Product: "(Test PDF Printer)"
*ModelName: "Test PDF Printer"
*ShortNickName: "Test PDF Printer"
*NickName: "Test PDF Printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 $dir/pdf-pass"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*OpenUI *Resolution/Resolution: PickOne
*OrderDependency: 10 AnySetup *Resolution
*DefaultResolution: 300dpi
*Resolution 300dpi/300 dpi: ""
*CloseUI: *Resolution
PPD
}

write_config() {
  mkdir -p "$dir"/{spool,spool/tmp,cache,state,log,out,ppd}
  chmod 755 "$dir" "$dir"/out
  chmod 1777 "$dir"/spool/tmp
  printf '#!/bin/sh\n# Filter arguments: job user title copies options [file]\nif [ -n "$6" ]; then exec cat "$6"; fi\nexec cat\n' >"$dir/pdf-pass"
  chmod 755 "$dir/pdf-pass"
  cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing Off
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FileDevice Yes
Sandboxing Relaxed
CONF
}

wait_for_socket() {
  for _ in $(seq 100); do
    [[ -S "$dir/cups.sock" ]] && return 0
    kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
    sleep 0.1
  done
  echo "private_cupsd: cupsd did not start; its log:" >&2
  cat "$dir/log/error_log" >&2 2>/dev/null || true
  return 1
}

start() {
  write_config
  write_ppd
  /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  wait_for_socket
  export CUPS_SERVER="$dir/cups.sock"
  lpadmin -p zg-test -E -v "file://$dir/out/job.pdf" -P "$dir/zg-test.ppd" -o media-default=A4 \
    -o printer-resolution-default=300dpi
  lpadmin -d zg-test
}

stop() {
  [[ -f "$dir/cupsd.pid" ]] || return 0
  local pid
  pid=$(cat "$dir/cupsd.pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$dir/cupsd.pid"
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: private_cupsd.sh start|stop DIR" >&2; exit 2 ;;
esac

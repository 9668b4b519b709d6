# shellcheck shell=bash
# Two Syncthing daemons on loopback ports, sourced by the sync end-to-end test after
# e2e_common.sh: each shares its folder "vorn" with the other; discovery, relays, NAT, usage
# reporting and upgrades are off. Gives st_start, st_stop, st_idle and st_connected.
command -v syncthing >/dev/null || { echo "SKIP: syncthing is not installed"; exit 77; }
command -v curl >/dev/null || { echo "SKIP: curl is not installed"; exit 77; }

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
declare -A ST_ID ST_PORT ST_GUI ST_KEY ST_PID ST_FOLDER
export STNOUPGRADE=1 STNODEFAULTFOLDER=1 STNORESTART=1

st_make() { # name folder
    local name=$1 home="$WORK/st-$1"
    syncthing generate --home="$home" --no-default-folder >"$WORK/st-$name-generate.log" 2>&1 \
        || { echo "FAIL - syncthing generate"; cat "$WORK/st-$name-generate.log"; exit 1; }
    ST_ID[$name]=$(syncthing serve --home="$home" --device-id)
    ST_PORT[$name]=$(free_port)
    ST_GUI[$name]=$(free_port)
    ST_KEY[$name]=$(head -c 24 /dev/urandom | base64 | tr -dc 'A-Za-z0-9')
    ST_FOLDER[$name]=$2
    mkdir -p "$2/.stfolder"
}

st_config() { # name other
    local name=$1 other=$2
    cat > "$WORK/st-$name/config.xml" <<XML
<configuration version="36">
    <folder id="vorn" label="VORN" path="${ST_FOLDER[$name]}" type="sendreceive" rescanIntervalS="10"
            fsWatcherEnabled="true" fsWatcherDelayS="1" ignorePerms="false" autoNormalize="true">
        <device id="${ST_ID[$name]}"></device>
        <device id="${ST_ID[$other]}"></device>
    </folder>
    <device id="${ST_ID[$name]}" name="$name" compression="metadata">
        <address>tcp://127.0.0.1:${ST_PORT[$name]}</address>
    </device>
    <device id="${ST_ID[$other]}" name="$other" compression="metadata">
        <address>tcp://127.0.0.1:${ST_PORT[$other]}</address>
    </device>
    <gui enabled="true" tls="false">
        <address>127.0.0.1:${ST_GUI[$name]}</address>
        <apikey>${ST_KEY[$name]}</apikey>
    </gui>
    <options>
        <listenAddress>tcp://127.0.0.1:${ST_PORT[$name]}</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <urAccepted>-1</urAccepted>
        <urSeen>3</urSeen>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <startBrowser>false</startBrowser>
        <crashReportingEnabled>false</crashReportingEnabled>
        <reconnectionIntervalS>1</reconnectionIntervalS>
        <setLowPriority>false</setLowPriority>
    </options>
</configuration>
XML
}

st_api() { # name path
    curl -sf --max-time 5 -H "X-API-Key: ${ST_KEY[$1]}" "http://127.0.0.1:${ST_GUI[$1]}$2"
}
st_start() { # name
    syncthing serve --home="$WORK/st-$1" --no-browser --no-restart --no-upgrade \
        >>"$WORK/st-$1.log" 2>&1 &
    ST_PID[$1]=$!
    PIDS+=("${ST_PID[$1]}")
    wait_for 30 st_api "$1" /rest/system/ping >/dev/null
}
st_stop() { # name
    kill "${ST_PID[$1]}" 2>/dev/null
    wait "${ST_PID[$1]}" 2>/dev/null
    true
}
st_connected() { # name other
    st_api "$1" /rest/system/connections \
        | python3 -c 'import json,sys; c=json.load(sys.stdin)["connections"]; sys.exit(0 if c.get(sys.argv[1], {}).get("connected") else 1)' "${ST_ID[$2]}"
}
# The folder is scanned, nothing is left to pull here, and the other has everything of it.
st_idle() { # name other
    st_api "$1" "/rest/db/status?folder=vorn" \
        | python3 -c 'import json,sys; s=json.load(sys.stdin); sys.exit(0 if s["state"] == "idle" and s["needTotalItems"] == 0 else 1)' \
        && st_api "$1" "/rest/db/completion?folder=vorn&device=${ST_ID[$2]}" \
        | python3 -c 'import json,sys; sys.exit(0 if json.load(sys.stdin)["completion"] == 100 else 1)'
}

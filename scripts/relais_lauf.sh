# scripts/relais_lauf.sh - sourced by the measurements that lead a client's
# connection through scripts/relais.py on 127.0.0.1.
#
# relais_starten NAME DIR PORT RTT: fails (naming NAME) when port 3040 or PORT
# is taken; empties DIR, builds the preloaded connect there (DIR/umleitung.so)
# and starts the relay on PORT towards 3040, without delay until its first
# SIGUSR2 and with RTT/2 ms each way from then on. Sets `relais` (its process)
# and `log` (DIR/relais.log).
relais_starten() {
  local name=$1 ziel=$2 p=$3 rtt=$4 quelle q
  quelle=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  for q in 3040 "$p"; do
    if ss -ltnH "( sport = :$q )" | grep -q .; then echo "$name: port $q is in use"; exit 1; fi
  done
  rm -rf "$ziel"
  mkdir -p "$ziel"
  cc -shared -fPIC -o "$ziel/umleitung.so" "$quelle/relais_umleitung.c" -ldl
  log=$ziel/relais.log
  python3 "$quelle/relais.py" "$p" 3040 $((rtt / 2)) "$log" 0 &
  relais=$!
}

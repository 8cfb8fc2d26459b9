-- SPDX-License-Identifier: GPL-3.0-or-later
-- Prosody for a Bramblies community lobby (Debian's prosody 0.12): accounts, one persistent
-- lobby room, nothing else. Replace lobby.example.org (and the moderator's name) with your own
-- domain, put this file at /etc/prosody/prosody.cfg.lua and see README.md beside it.

-- Moderators: owners of every room of the conference service below, so they may kick and ban
-- in the lobby. Create their accounts with `prosodyctl adduser NAME@lobby.example.org`.
local moderators = { "moderator@lobby.example.org" }

pidfile = "/run/prosody/prosody.pid"
log = {
	info = "/var/log/prosody/prosody.log";
	error = "/var/log/prosody/prosody.err";
	{ levels = { "error" }; to = "syslog"; };
}

-- Client connections only. Server-to-server is off: the lobby talks to nobody else. (To let
-- accounts of other servers in, remove "s2s" below and open port 5269.)
modules_enabled = {
	"tls"; "saslauth"; "disco"; "ping"; "register"; "limits"; "posix"; "uptime"; "time";
}
modules_disabled = { "s2s"; "offline"; }
c2s_ports = { 5222 }
s2s_ports = { }

-- Encryption always, passwords stored hashed and checked by SCRAM only.
c2s_require_encryption = true
authentication = "internal_hashed"
disable_sasl_mechanisms = { "PLAIN"; "DIGEST-MD5"; }
certificates = "certs"

-- Accounts: the lobby program creates them in band. One a quarter of an hour from each
-- address, at most three a day; an address that keeps trying is blocked until restart.
allow_registration = true
min_seconds_between_registrations = 900
registration_throttle_max = 3
registration_throttle_period = 86400
blocklist_on_registration_throttle_overload = true

-- Flooding: each client gets a modest byte rate, and no stanza may be large. A table element
-- is well under a kilobyte.
limits = {
	c2s = { rate = "4kb/s"; burst = "2s"; };
}
c2s_stanza_size_limit = 16 * 1024
c2s_unauthed_stanza_size_limit = 4 * 1024
-- Connections that stay silent this long are closed (clients ping every minute).
network_settings = { read_timeout = 300 }
c2s_timeout = 60

storage = "internal"
archive_expires_after = "1w"

VirtualHost "lobby.example.org"

-- The lobby room lives here: lobby@conference.lobby.example.org. Only moderators create rooms
-- (a moderator signs in once to create it); rooms are kept over restarts.
Component "conference.lobby.example.org" "muc"
	name = "Bramblies lobby"
	admins = moderators
	restrict_room_creation = "admin"
	muc_room_default_persistent = true
	muc_room_default_public = true
	muc_room_default_history_length = 20
	muc_room_locking = false
	muc_tombstones = false

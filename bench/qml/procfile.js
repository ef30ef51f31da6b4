.pragma library

// The plain way to read this machine's counters in QML: a synchronous request for the file.
function read(name) {
    var request = new XMLHttpRequest()
    request.open("GET", "file:///proc/" + name, false)
    request.send()
    return request.responseText
}

// Busy and total jiffies of all processors.
function cpu() {
    var fields = read("stat").split("\n")[0].trim().split(/\s+/)
    var total = 0
    for (var i = 1; i <= 8 && i < fields.length; ++i)
        total += Number(fields[i])
    return { busy: total - Number(fields[4]) - Number(fields[5]), total: total }
}

// Memory in use and in all, in GiB.
function memory() {
    var values = {}
    read("meminfo").split("\n").forEach(function (line) {
        var fields = line.split(/\s+/)
        values[fields[0]] = Number(fields[1])
    })
    var total = values["MemTotal:"]
    return { used: (total - values["MemAvailable:"]) / 1048576, total: total / 1048576 }
}

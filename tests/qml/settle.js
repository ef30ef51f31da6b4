.pragma library

// Returns once the calls queued so far with Qt.callLater and the promise reactions queued
// so far have run: each kind runs in the order it was queued.
function settle(testCase) {
    var calledLater = false, reacted = false
    Qt.callLater(function () { calledLater = true })
    Promise.resolve().then(function () { reacted = true })
    testCase.tryVerify(function () { return calledLater && reacted })
}

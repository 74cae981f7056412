// A named module for the module-path cases: the VM resolves it only when it is on the module
// path and added as a root.
module probe.greeting {
}

import Orvane.Private 1.0 as ORV

// Live readings of this machine; see SystemData for the keys.
ORV.SystemData {}

select * from MslElectro,electrometer where 
MslElectro.Fbad=0 and 
MslElectro.JournalMsl_id=:id and
MslElectro.electro_id=electrometer.electro_id
